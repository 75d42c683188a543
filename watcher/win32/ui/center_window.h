// CenterWindow: the Win32 side of centring one window over another on its monitor.
#ifndef WATCHER_WIN32_UI_CENTER_WINDOW_H
#define WATCHER_WIN32_UI_CENTER_WINDOW_H

#include <windows.h>

// Moves window, without resizing it or changing its z-order, so that it is centred over
// `over` (where `over` would be restored, while it is minimized) and stays on the monitor
// nearest `over`. Returns SetWindowPos's result, which callers may ignore.
BOOL CenterWindow(HWND window, HWND over);

#endif
