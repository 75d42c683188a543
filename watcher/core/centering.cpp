// The placement arithmetic of CenterWindow.
#include "watcher/core/centering.h"

int CenterCoordinate(int start, int span, int size, int screenSize) {
  // C++ division truncates toward zero, as the placement requires for odd negative gaps.
  int position = start + (span - size) / 2;
  // The low edge is tested first: a window larger than the screen that starts inside
  // it is then pushed past the low edge by the high clamp, and is not corrected back.
  if (position < 0) return 0;
  if (position + size > screenSize) return screenSize - size;
  return position;
}

void CenterPosition(const CenterBox *window, const CenterBox *over, int screenWidth,
                    int screenHeight, int *x, int *y) {
  *x = CenterCoordinate(over->left, over->width, window->width, screenWidth);
  *y = CenterCoordinate(over->top, over->height, window->height, screenHeight);
}
