// Where a window goes when it is centred over another and kept on the screen: the
// arithmetic of CenterWindow, apart from the platform calls. Portable.
#ifndef WATCHER_CORE_CENTERING_H
#define WATCHER_CORE_CENTERING_H

// A rectangle as left, top, width and height, in screen pixels.
struct CenterBox {
  int left;
  int top;
  int width;
  int height;
};

// One axis: start + (span - size) / 2, the division truncating toward zero. A result
// below 0 becomes 0; otherwise one that would end past screenSize becomes
// screenSize - size, which is negative when size exceeds the screen.
int CenterCoordinate(int start, int span, int size, int screenSize);

// Both axes, each computed and clamped on its own: the top-left corner (*x, *y) at which
// a window of window's size is centred over `over` on a screen of screenWidth x
// screenHeight. Only window's width and height are used.
void CenterPosition(const CenterBox *window, const CenterBox *over, int screenWidth,
                    int screenHeight, int *x, int *y);

#endif
