// The status lines for assistive technology: to a screen reader, the main window's client
// area is named after the lines it shows and is an alert while one shows, and a line that
// appears is announced.
#ifndef WATCHER_WIN32_UI_STATUS_ACCESS_H
#define WATCHER_WIN32_UI_STATUS_ACCESS_H

#include <windows.h>

#include "watcher/core/watcher_state.h"

// Handles WM_GETOBJECT of the main window. For its client area (OBJID_CLIENT), the object
// that oleacc makes for any window's client area, answering as that object does, but, while
// state calls for status lines, named after them (one a line) and with the alert role. OLEACC
// is loaded at the first request; where it or OLEAUT32 cannot be had, and for any other
// object, the default handling answers. Returns what the window procedure returns.
LRESULT KvAnswerAccessRequest(HWND window, WPARAM wParam, LPARAM objectId,
                              const WatcherState *state);

// Tells assistive technology of a change in the status lines that state calls for since
// the last call: a name change of window's client area, and, when a line appeared, an
// alert from it. Nothing when the lines are the same.
void KvTellStatus(HWND window, const WatcherState *state);

#endif
