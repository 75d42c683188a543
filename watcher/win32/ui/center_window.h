// CenterWindow: the Win32 side of centring one window over another on the screen.
#ifndef WATCHER_WIN32_UI_CENTER_WINDOW_H
#define WATCHER_WIN32_UI_CENTER_WINDOW_H

#include <windows.h>

// Moves window, without resizing it or changing its z-order, so that it is centred over
// `over` and stays on the screen (whose size comes from a device context of window).
// Returns SetWindowPos's result, which callers may ignore.
BOOL CenterWindow(HWND window, HWND over);

#endif
