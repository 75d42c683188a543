// The watcher program's process-wide record: the program instance and main window as
// the operations see them, the desktop window, the brushes and colour scheme, the system menu,
// the one WatcherState, the operations bound to Win32, and the INI file's operations.
// It lives for the whole process; nothing in it is ever released.
#ifndef WATCHER_WIN32_UI_KV_PROCESS_H
#define WATCHER_WIN32_UI_KV_PROCESS_H

#include <windows.h>

#include "watcher/config/profile_ops.h"
#include "watcher/core/watcher_ops.h"
#include "watcher/core/watcher_state.h"
#include "watcher/win32/platform/win32_window_ops.h"

struct KvProcess {
  Win32WindowTarget target;  // program instance and main window; ops.ctx points here
  HWND desktop;              // the main window is centred over it on creation
  HBRUSH grey;               // the watcher's grey, made once
  HBRUSH background;         // fills the window and the dialogs: the grey, or the scheme's
  int highContrast;          // 1 while the colour scheme is a high-contrast one
  HMENU systemMenu;          // the main window's, once edited
  WatcherState state;
  WatcherOps ops;
  ProfileOps profile;
};

// The one process record. The window procedure, the dialogs and the operations reach
// the state through it.
extern KvProcess g_kv;

// Start-up's first step: keeps instance, takes the desktop window, puts the state in its
// starting state, and binds every operation (window, file, dialog, save) to Win32.
void KvInitProcess(HINSTANCE instance);

#endif
