// Where a window goes when it is centred over another and kept on the monitor that other
// window is on: the arithmetic of CenterWindow, apart from the platform calls. Portable.
#ifndef WATCHER_CORE_CENTERING_H
#define WATCHER_CORE_CENTERING_H

// A rectangle by its edges, in screen pixels: left and top inside, right and bottom just
// outside, as the platform gives rectangles.
struct CenterBox {
  int left;
  int top;
  int right;
  int bottom;
};

// What the placement needs to know, as the platform reports it.
struct CenterScene {
  CenterBox window;    // the window to move; only its size counts
  CenterBox over;      // the window to centre over, where it stands
  CenterBox restored;  // where `over` would be restored, in workspace coordinates
  CenterBox monitor;   // the monitor nearest `over`
  CenterBox work;      // that monitor's work area: the monitor less taskbar and toolbars
  int overMinimized;   // non-zero while `over` is minimized
};

// One axis: start + (span - size) / 2, the division truncating toward zero. A result
// below low becomes low; otherwise one that would end past low + length becomes
// low + length - size, which is below low when size exceeds length.
int CenterCoordinate(int start, int span, int size, int low, int length);

// Both axes, each computed and clamped on its own: the top-left corner (*x, *y) at which
// the window is centred over `over` and kept on the monitor. A minimized window stands
// where the system parks it (off the screen, or in a corner), so a minimized `over`
// counts where it would be restored: workspace coordinates have their 0, 0 at the top-left
// corner of the work area, so they are off screen coordinates by the taskbar or toolbar
// at the monitor's left or top. With one monitor at 0, 0, this is centring on a screen of
// the monitor's size.
void CenterPosition(const CenterScene *scene, int *x, int *y);

#endif
