// The watcher's two modal dialogs, Set Flag File and About, each run by one function
// with a typed result. Both are owned by, and centred over, the main window.
#ifndef WATCHER_WIN32_UI_DIALOGS_H
#define WATCHER_WIN32_UI_DIALOGS_H

#include <windows.h>

#include "watcher/core/watcher_state.h"

// Runs the Set Flag File dialog (template IDD_SETFLAG of instance) modally over owner.
// The field starts with state->flagFileName; OK with a non-empty name stores it in
// state->flagFileName, clears noCommandLine and returns 1; Cancel returns 0 and sets
// noCommandLine when no name is configured. Returns 0 too if the dialog cannot be shown.
int RunSetFlagDialog(HINSTANCE instance, HWND owner, WatcherState *state);

// Runs the About dialog (template IDD_ABOUT of instance) modally over owner, until OK.
void RunAboutDialog(HINSTANCE instance, HWND owner);

#endif
