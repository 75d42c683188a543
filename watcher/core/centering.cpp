// The placement arithmetic of CenterWindow.
#include "watcher/core/centering.h"

int CenterCoordinate(int start, int span, int size, int low, int length) {
  // C++ division truncates toward zero, as the placement requires for odd negative gaps.
  int position = start + (span - size) / 2;
  // The low edge is tested first: a window larger than the monitor that starts inside
  // it is then pushed past the low edge by the high clamp, and is not corrected back.
  if (position < low) return low;
  if (position + size > low + length) return low + length - size;
  return position;
}

void CenterPosition(const CenterScene *scene, int *x, int *y) {
  CenterBox over = scene->over;
  const CenterBox &monitor = scene->monitor, &window = scene->window;
  if (scene->overMinimized) {
    int dx = scene->work.left - monitor.left, dy = scene->work.top - monitor.top;
    over = scene->restored;
    over.left += dx;
    over.right += dx;
    over.top += dy;
    over.bottom += dy;
  }
  *x = CenterCoordinate(over.left, over.right - over.left, window.right - window.left, monitor.left,
                        monitor.right - monitor.left);
  *y = CenterCoordinate(over.top, over.bottom - over.top, window.bottom - window.top, monitor.top,
                        monitor.bottom - monitor.top);
}
