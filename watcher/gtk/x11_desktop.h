// The X11 reads and requests behind korvane's pop-up that GTK does not make: the window
// manager's word on the window (ICCCM's WM_STATE), whether the window in use may lose
// the keyboard (EWMH's _NET_ACTIVE_WINDOW and _NET_WM_USER_TIME), and the end of the
// window manager's demands-attention state. Stateless but for the atoms, interned once;
// every function takes a window of an X display (X11 or XWayland).
#ifndef WATCHER_GTK_X11_DESKTOP_H
#define WATCHER_GTK_X11_DESKTOP_H

#include <gtk/gtk.h>

#include "watcher/gtk/presence.h"

// Idle this long, another program's window no longer counts as in use: Windows' default
// for letting a program in the background take the foreground (ForegroundLockTimeout).
enum { kvgInUseMs = 200000 };

// Interns the atoms of display, once, before any other call.
void X11DesktopInit(GdkDisplay *display);

// Whether xevent (an XEvent) says that window's WM_STATE changed.
int X11IsWmStateChange(GdkWindow *window, const void *xevent);

// What window's WM_STATE says now: kReportWithdrawn when it has none.
PresenceReport X11WmState(GdkWindow *window);

// Whether the window may take the keyboard: 1 when korvane has it already, or the active
// window is another program's that nobody has used for kvgInUseMs, or there is none on an
// X server that sees all windows. 0 when someone may be working in another window, which
// XWayland cannot tell of a Wayland window.
int X11MayTakeFocus(GdkWindow *window);

// Ends the window manager's demands-attention state, which some (KDE's kwin) keep after
// the urgency hint that caused it has gone.
void X11EndDemandsAttention(GdkWindow *window);

#endif
