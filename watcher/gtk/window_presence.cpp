// The presence machine bound to the main window: its port's actions as GTK, GDK and Xlib
// requests; the window manager's WM_STATE (through an event filter) and a timer as its
// events; its word on a minimize nobody in the program asked for handed to the rules.
#include <gdk/gdkx.h>

#include "watcher/core/watcher_rules.h"
#include "watcher/gtk/kvg_app.h"
#include "watcher/gtk/x11_desktop.h"

static KvgApp *App(void *ctx) { return static_cast<KvgApp *>(ctx); }
static GtkWindow *Toplevel(void *ctx) { return GTK_WINDOW(App(ctx)->window); }
static GdkWindow *Own(void *ctx) { return gtk_widget_get_window(App(ctx)->window); }
static int OnX(void *ctx) { return App(ctx)->presence.way == kPresenceRemap; }

// Deiconified while withdrawn, the window is mapped again as a normal window.
static void Withdraw(void *ctx) {
  gtk_widget_hide(App(ctx)->window);
  gtk_window_deiconify(Toplevel(ctx));
}

static void MapWithoutFocus(void *ctx) {
  gtk_window_set_focus_on_map(Toplevel(ctx), FALSE);
  gtk_widget_show(App(ctx)->window);
  gtk_window_set_focus_on_map(Toplevel(ctx), TRUE);
}

static void Deiconify(void *ctx) { gtk_window_deiconify(Toplevel(ctx)); }

static void Iconify(void *ctx) { gtk_window_iconify(Toplevel(ctx)); }

// The server's present time is the request of a window that may take the focus, which the
// window manager need not weigh against older ones.
static void PresentNow(void *ctx) {
  gtk_window_present_with_time(Toplevel(ctx),
                               OnX(ctx) ? gdk_x11_get_server_time(Own(ctx)) : GDK_CURRENT_TIME);
}

static void SetAttention(void *ctx, int on) {
  gtk_window_set_urgency_hint(Toplevel(ctx), on);
  if (!on && OnX(ctx)) X11EndDemandsAttention(Own(ctx));
}

static gboolean OnDeadline(gpointer ctx) {
  App(ctx)->deadline = 0;
  PresenceDeadline(&App(ctx)->presence);
  return G_SOURCE_REMOVE;
}

static void StopDeadline(void *ctx) {
  if (App(ctx)->deadline != 0) g_source_remove(App(ctx)->deadline);
  App(ctx)->deadline = 0;
}

static void StartDeadline(void *ctx, int ms) {
  StopDeadline(ctx);
  App(ctx)->deadline = g_timeout_add(ms, OnDeadline, ctx);
}

// The window manager minimized or restored the window, or would not show it: for the
// rules, the user's request.
static void Settled(void *ctx, int iconic) {
  KvgApp *app = App(ctx);
  if (iconic)
    WatcherWindowMinimized(&app->state, &app->ops);
  else if (app->state.windowOpen == 0)
    WatcherRestoreRequest(&app->state, &app->ops);
}

// GDK itself asks for the window's property changes; WM_STATE's are the window manager's
// word, told as they come rather than polled.
static GdkFilterReturn OnXEvent(GdkXEvent *xevent, GdkEvent *, gpointer ctx) {
  if (X11IsWmStateChange(Own(ctx), xevent))
    PresenceWmReport(&App(ctx)->presence, X11WmState(Own(ctx)));
  return GDK_FILTER_CONTINUE;
}

PresenceWay KvgStartPresence(KvgApp *app) {
  PresencePort *port = &app->presencePort;
  *port = {app,        Withdraw,     MapWithoutFocus, Deiconify,    Iconify,
           PresentNow, SetAttention, StartDeadline,   StopDeadline, Settled};
  gtk_widget_realize(app->window);
  GdkDisplay *display = gtk_widget_get_display(app->window);
  // The one place that tells an X display (X11 or XWayland) from a Wayland one.
  PresenceWay way = GDK_IS_X11_DISPLAY(display) ? kPresenceRemap : kPresenceAsk;
  if (way == kPresenceRemap) {
    X11DesktopInit(display);
    gdk_window_add_filter(gtk_widget_get_window(app->window), OnXEvent, app);
  }
  PresenceInit(&app->presence, way, port);
  return way;
}
