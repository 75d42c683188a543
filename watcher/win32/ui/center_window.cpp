// CenterWindow: takes the rectangles, the placement and the monitor from Win32 and lets
// the portable placement decide where the window goes.
#include "watcher/win32/ui/center_window.h"

#include <string.h>

#include "watcher/core/centering.h"

// A RECT and a CenterBox are both four 32-bit edges, left, top, right, bottom.
static_assert(sizeof(RECT) == sizeof(CenterBox), "RECT and CenterBox differ");

BOOL CenterWindow(HWND window, HWND over) {
  CenterScene scene;
  RECT r;
  GetWindowRect(window, &r);
  memcpy(&scene.window, &r, sizeof r);
  GetWindowRect(over, &r);
  memcpy(&scene.over, &r, sizeof r);
  // A minimized window stands near -32000, -32000 on Windows (in a corner under Wine);
  // its placement says where it would be restored.
  WINDOWPLACEMENT placement;
  placement.length = sizeof placement;
  scene.overMinimized = IsIconic(over) && GetWindowPlacement(over, &placement);
  memcpy(&scene.restored, &placement.rcNormalPosition, sizeof r);
  // MonitorFromWindow takes a minimized window's rectangle from before it was minimized.
  // Should the monitor go unanswered, the primary one stands in, as the desktop window
  // covers it.
  MONITORINFO monitor;
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromWindow(over, MONITOR_DEFAULTTONEAREST), &monitor)) {
    GetWindowRect(GetDesktopWindow(), &monitor.rcMonitor);
    monitor.rcWork = monitor.rcMonitor;
  }
  memcpy(&scene.monitor, &monitor.rcMonitor, sizeof r);
  memcpy(&scene.work, &monitor.rcWork, sizeof r);
  int x = 0;
  int y = 0;
  CenterPosition(&scene, &x, &y);
  return SetWindowPos(window, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
