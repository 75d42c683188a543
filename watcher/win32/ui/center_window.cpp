// CenterWindow: takes the rectangles and the screen size from Win32 and lets the
// portable placement decide where the window goes.
#include "watcher/win32/ui/center_window.h"

#include "watcher/core/centering.h"

static CenterBox BoxOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  CenterBox box = {r.left, r.top, r.right - r.left, r.bottom - r.top};
  return box;
}

BOOL CenterWindow(HWND window, HWND over) {
  CenterBox self = BoxOf(window);
  CenterBox target = BoxOf(over);
  HDC dc = GetDC(window);
  int screenWidth = GetDeviceCaps(dc, HORZRES);
  int screenHeight = GetDeviceCaps(dc, VERTRES);
  ReleaseDC(window, dc);
  int x = 0;
  int y = 0;
  CenterPosition(&self, &target, screenWidth, screenHeight, &x, &y);
  return SetWindowPos(window, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
