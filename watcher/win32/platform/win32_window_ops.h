// The window operations of WatcherOps bound to USER32: minimize, restore, placement,
// focus, repaint, the poll timer, quit, the error box and the synchronous minimize
// request, each acting on the main window named by a Win32WindowTarget.
#ifndef WATCHER_WIN32_PLATFORM_WIN32_WINDOW_OPS_H
#define WATCHER_WIN32_PLATFORM_WIN32_WINDOW_OPS_H

#include <windows.h>

#include "watcher/core/watcher_ops.h"

// What the operations act on; WatcherOps.ctx points at one of these. window may be set
// after binding, but before the first message that reaches a rule.
struct Win32WindowTarget {
  HINSTANCE instance;
  HWND window;
  // 1 while the minimize operation's own CloseWindow runs: the WM_SIZE that it brings is
  // the program's minimize, not one from elsewhere.
  int minimizing;
};

// Fills the window operation slots of ops (minimize to sendMinimizeRequest, except the
// file, dialog and save slots) and leaves the others and ctx unchanged.
void BindWin32WindowOps(WatcherOps *ops);

#endif
