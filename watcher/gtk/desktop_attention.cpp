// The X11 requests behind korvane's pop-up, which GTK does not offer: a window shown again
// without the focus, the window in use read off the root window, and the window
// manager's demands-attention state ended.
#include "watcher/gtk/desktop_attention.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <gdk/gdkx.h>

// _NET_WM_STATE's action, the source that says a program, not a pager, asks, WM_STATE's
// states, how often (every kWaitMs) the window being shown again is looked at, and how
// many times it is shown before the window manager's word is taken.
enum {
  kNetWmStateRemove = 0,
  kSourceApplication = 1,
  kWithdrawnState = 0,
  kIconicState = 3,
  kWaitMs = 20,
  kWaitTimes = 250,
  kShowTimes = 3
};

// The window being shown again: withdrawn until the window manager lets go of it, then
// mapped until the window manager says how it took it. Whether the focus is to be taken
// once it is shown, whether the program still wants it shown, and whom to tell the end.
static struct {
  GtkWindow *window;
  int waits, shows, mapped, takeFocus, wanted;
  void (*settled)(int iconic);
} s_showing;

static GdkWindow *X11Window(GtkWindow *window) {
  GdkWindow *own = gtk_widget_get_window(GTK_WIDGET(window));
  return own != nullptr && GDK_IS_X11_WINDOW(own) ? own : nullptr;
}

static Atom Named(GdkDisplay *display, const char *name) {
  return gdk_x11_get_xatom_by_name_for_display(display, name);
}

// The first 32-bit item of property on w, when it has one of that type.
static int Property(GdkDisplay *display, Window w, const char *name, Atom type,
                    unsigned long *item) {
  Atom actual;
  int format, found = 0;
  unsigned long count, after;
  unsigned char *data = nullptr;
  gdk_x11_display_error_trap_push(display);
  if (XGetWindowProperty(GDK_DISPLAY_XDISPLAY(display), w, Named(display, name), 0, 1, False, type,
                         &actual, &format, &count, &after, &data) == Success &&
      actual == type && format == 32 && count == 1) {
    *item = *reinterpret_cast<unsigned long *>(data);
    found = 1;
  }
  if (data != nullptr) XFree(data);
  gdk_x11_display_error_trap_pop_ignored(display);
  return found;
}

static void PresentNow(GtkWindow *window) {
  GdkWindow *own = X11Window(window);
  gtk_window_present_with_time(window, own != nullptr ? gdk_x11_get_server_time(own) : 0);
}

static void Withdraw(GtkWindow *window) {
  gtk_widget_hide(GTK_WIDGET(window));
  gtk_window_deiconify(window);  // withdrawn, it is mapped again as a normal window
  s_showing.waits = s_showing.mapped = 0;
}

static void MapWithoutFocus(GtkWindow *window) {
  gtk_window_set_focus_on_map(window, FALSE);
  gtk_widget_show(GTK_WIDGET(window));
  gtk_window_set_focus_on_map(window, TRUE);
  if (s_showing.takeFocus) PresentNow(window);
  s_showing.waits = 0;
  s_showing.mapped = 1;
}

// A window may be mapped again only once the window manager has let go of it (WM_STATE
// withdrawn or gone): mutter, mapped again sooner, takes it back minimized. Even so, a
// busy mutter on XWayland now and then maps it minimized, and GTK, seeing it mapped,
// reports it shown: the window goes through it again, or the flag would go unseen. GTK's
// reports on the way are of no use; the end is told as the window manager has it.
static gboolean ShowWhenWithdrawn(gpointer) {
  GtkWindow *window = s_showing.window;
  GdkWindow *own = X11Window(window);
  unsigned long state = kWithdrawnState;
  int late = ++s_showing.waits >= kWaitTimes;
  if (own != nullptr) {
    GdkDisplay *display = gdk_window_get_display(own);
    Property(display, GDK_WINDOW_XID(own), "WM_STATE", Named(display, "WM_STATE"), &state);
  }
  if (!s_showing.mapped && (state == kWithdrawnState || late || own == nullptr)) {
    MapWithoutFocus(window);
  } else if (s_showing.mapped && state == kIconicState && s_showing.wanted &&
             ++s_showing.shows < kShowTimes) {
    Withdraw(window);
  } else if (s_showing.mapped && (state != kWithdrawnState || late)) {
    s_showing.window = nullptr;
    s_showing.settled(state == kIconicState);
    return G_SOURCE_REMOVE;
  }
  return G_SOURCE_CONTINUE;
}

void KvgShowWithoutFocus(GtkWindow *window, void (*settled)(int iconic)) {
  if (X11Window(window) == nullptr) {
    gtk_window_deiconify(window);
    gtk_window_present(window);
    return;
  }
  Withdraw(window);
  if (s_showing.window == nullptr) g_timeout_add(kWaitMs, ShowWhenWithdrawn, nullptr);
  s_showing.window = window;
  s_showing.shows = s_showing.takeFocus = 0;
  s_showing.wanted = 1;
  s_showing.settled = settled;
}

int KvgShowing(GtkWindow *window) { return s_showing.window == window; }

void KvgStopShowing(GtkWindow *window) {
  if (s_showing.window == window) s_showing.wanted = 0;
}

int KvgMayTakeFocus(GtkWindow *window) {
  GdkWindow *own = X11Window(window);
  if (own == nullptr) return 0;
  GdkDisplay *display = gdk_window_get_display(own);
  Display *x = GDK_DISPLAY_XDISPLAY(display);
  unsigned long active = None, timeWindow, used;
  Window focus;
  int revert, opcode, event, error;
  XGetInputFocus(x, &focus, &revert);
  if (focus != None && focus != PointerRoot &&
      gdk_x11_window_lookup_for_display(display, focus) != nullptr)
    return 1;
  // No X window in use, or one named active that korvane knows has not the keyboard: on
  // XWayland, a Wayland window may have it. (XWayland names itself only from version 23;
  // a Wayland session names its display.)
  if (!Property(display, DefaultRootWindow(x), "_NET_ACTIVE_WINDOW", XA_WINDOW, &active) ||
      active == None || gdk_x11_window_lookup_for_display(display, active) != nullptr)
    return !XQueryExtension(x, "XWAYLAND", &opcode, &event, &error) &&
           g_getenv("WAYLAND_DISPLAY") == nullptr;
  // GTK and others keep the time of the last key or click on a window of their own.
  if (!Property(display, active, "_NET_WM_USER_TIME_WINDOW", XA_WINDOW, &timeWindow))
    timeWindow = active;
  if (!Property(display, timeWindow, "_NET_WM_USER_TIME", XA_CARDINAL, &used)) return 0;
  return static_cast<guint32>(gdk_x11_get_server_time(own) - used) >= kvgInUseMs;
}

void KvgTakeFocus(GtkWindow *window) {
  if (s_showing.window == window && !s_showing.mapped)
    s_showing.takeFocus = 1;
  else
    PresentNow(window);
}

void KvgEndDemandsAttention(GtkWindow *window) {
  GdkWindow *own = X11Window(window);
  if (own == nullptr) return;
  GdkDisplay *display = gdk_window_get_display(own);
  XEvent request = {};
  request.xclient.type = ClientMessage;
  request.xclient.window = GDK_WINDOW_XID(own);
  request.xclient.message_type = Named(display, "_NET_WM_STATE");
  request.xclient.format = 32;
  request.xclient.data.l[0] = kNetWmStateRemove;
  request.xclient.data.l[1] = static_cast<long>(Named(display, "_NET_WM_STATE_DEMANDS_ATTENTION"));
  request.xclient.data.l[3] = kSourceApplication;
  Display *x = GDK_DISPLAY_XDISPLAY(display);
  XSendEvent(x, DefaultRootWindow(x), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &request);
}
