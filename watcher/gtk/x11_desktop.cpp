// Xlib reads and requests on korvane's window, for the presence machine and the focus rule.
#include "watcher/gtk/x11_desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <gdk/gdkx.h>

// WM_STATE's states (ICCCM 4.1.3.1), _NET_WM_STATE's remove action and the source that
// says a program, not a pager, asks (EWMH).
enum {
  kWithdrawnState = 0,
  kNormalState = 1,
  kIconicState = 3,
  kNetWmStateRemove = 0,
  kSourceApplication = 1
};

static struct {
  Atom wmState, activeWindow, userTimeWindow, userTime, netWmState, demandsAttention;
} s_atoms;

void X11DesktopInit(GdkDisplay *display) {
  static const char *kNames[] = {
      "WM_STATE",          "_NET_ACTIVE_WINDOW", "_NET_WM_USER_TIME_WINDOW",
      "_NET_WM_USER_TIME", "_NET_WM_STATE",      "_NET_WM_STATE_DEMANDS_ATTENTION"};
  Atom *atoms[] = {&s_atoms.wmState,  &s_atoms.activeWindow, &s_atoms.userTimeWindow,
                   &s_atoms.userTime, &s_atoms.netWmState,   &s_atoms.demandsAttention};
  for (size_t i = 0; i < G_N_ELEMENTS(kNames); ++i)
    *atoms[i] = gdk_x11_get_xatom_by_name_for_display(display, kNames[i]);
}

static Display *XDisplayOf(GdkWindow *window) {
  return GDK_DISPLAY_XDISPLAY(gdk_window_get_display(window));
}

// The first 32-bit item of property on w, when it has one of that type.
static int Property(GdkWindow *own, Window w, Atom name, Atom type, unsigned long *item) {
  GdkDisplay *display = gdk_window_get_display(own);
  Atom actual;
  int format, found = 0;
  unsigned long count, after;
  unsigned char *data = nullptr;
  // The window read may be gone by now: its error is no error of korvane's.
  gdk_x11_display_error_trap_push(display);
  if (XGetWindowProperty(GDK_DISPLAY_XDISPLAY(display), w, name, 0, 1, False, type, &actual,
                         &format, &count, &after, &data) == Success &&
      actual == type && format == 32 && count == 1) {
    *item = *reinterpret_cast<unsigned long *>(data);
    found = 1;
  }
  if (data != nullptr) XFree(data);
  gdk_x11_display_error_trap_pop_ignored(display);
  return found;
}

int X11IsWmStateChange(GdkWindow *window, const void *xevent) {
  const XEvent *event = static_cast<const XEvent *>(xevent);
  return event->type == PropertyNotify && event->xproperty.window == GDK_WINDOW_XID(window) &&
         event->xproperty.atom == s_atoms.wmState;
}

PresenceReport X11WmState(GdkWindow *window) {
  unsigned long state = kWithdrawnState;
  Property(window, GDK_WINDOW_XID(window), s_atoms.wmState, s_atoms.wmState, &state);
  if (state == kNormalState) return kReportNormal;
  return state == kIconicState ? kReportIconic : kReportWithdrawn;
}

// Whether nobody has touched the window named active for kvgInUseMs: GTK and others keep
// the time of the last key or click on a window of their own.
static int LongUnused(GdkWindow *own, Window active) {
  unsigned long timeWindow, used;
  if (!Property(own, active, s_atoms.userTimeWindow, XA_WINDOW, &timeWindow)) timeWindow = active;
  if (!Property(own, timeWindow, s_atoms.userTime, XA_CARDINAL, &used)) return 0;
  return static_cast<guint32>(gdk_x11_get_server_time(own) - used) >= kvgInUseMs;
}

int X11MayTakeFocus(GdkWindow *window) {
  GdkDisplay *display = gdk_window_get_display(window);
  Display *x = XDisplayOf(window);
  unsigned long active = None;
  Window focus;
  int revert, opcode, event, error;
  XGetInputFocus(x, &focus, &revert);
  if (focus != None && focus != PointerRoot &&
      gdk_x11_window_lookup_for_display(display, focus) != nullptr)
    return 1;
  // No X window in use, or one named active that korvane knows has not the keyboard: on
  // XWayland, a Wayland window may have it. (XWayland names itself only from version 23;
  // a Wayland session names its display.)
  if (!Property(window, DefaultRootWindow(x), s_atoms.activeWindow, XA_WINDOW, &active) ||
      active == None || gdk_x11_window_lookup_for_display(display, active) != nullptr)
    return !XQueryExtension(x, "XWAYLAND", &opcode, &event, &error) &&
           g_getenv("WAYLAND_DISPLAY") == nullptr;
  return LongUnused(window, active);
}

// A request about window to the window manager, which listens on the root window.
static void AskWindowManager(GdkWindow *window, Atom type, long action, long property) {
  Display *x = XDisplayOf(window);
  XEvent request = {};
  request.xclient.type = ClientMessage;
  request.xclient.window = GDK_WINDOW_XID(window);
  request.xclient.message_type = type;
  request.xclient.format = 32;
  request.xclient.data.l[0] = action;
  request.xclient.data.l[1] = property;
  request.xclient.data.l[3] = kSourceApplication;
  XSendEvent(x, DefaultRootWindow(x), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &request);
}

void X11EndDemandsAttention(GdkWindow *window) {
  AskWindowManager(window, s_atoms.netWmState, kNetWmStateRemove,
                   static_cast<long>(s_atoms.demandsAttention));
}
