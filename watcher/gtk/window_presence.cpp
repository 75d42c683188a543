// The presence machine bound to the main window: its port's actions as GTK, GDK and Xlib
// requests; the window manager's WM_STATE (through an event filter) and a timer as its
// events; its word on a minimize nobody in the program asked for handed to the rules.
#include <gdk/gdkx.h>

#include "watcher/core/watcher_rules.h"
#include "watcher/gtk/desktop_notification.h"
#include "watcher/gtk/kvg_app.h"
#include "watcher/gtk/status_access.h"
#include "watcher/gtk/x11_desktop.h"

static KvgApp *App(void *ctx) { return static_cast<KvgApp *>(ctx); }
static GtkWindow *Toplevel(void *ctx) { return GTK_WINDOW(App(ctx)->window); }
static GdkWindow *Own(void *ctx) { return gtk_widget_get_window(App(ctx)->window); }
static int OnX(void *ctx) { return App(ctx)->presence.way != kPresenceAsk; }

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

// No user time, so that a window manager that honours it shows the window unfocused.
static void Deiconify(void *ctx) {
  if (OnX(ctx)) gdk_x11_window_set_user_time(Own(ctx), 0);
  gtk_window_deiconify(Toplevel(ctx));
}

static void Iconify(void *ctx) { gtk_window_iconify(Toplevel(ctx)); }

// Shown again, the window's status lines are announced, and a dialog the user was in when
// it was minimized comes back with it, unfocused and above it: left minimized, the
// dialog's modal loop would leave the window's menu dead.
static void BroughtUp(void *ctx) {
  KvgTellStatus(App(ctx)->area, &App(ctx)->state, 1, 1);
  GtkWidget *modal = App(ctx)->modal;
  if (modal == nullptr) return;
  if (OnX(ctx)) gdk_x11_window_set_user_time(gtk_widget_get_window(modal), 0);
  gtk_window_deiconify(GTK_WINDOW(modal));
  gdk_window_raise(gtk_widget_get_window(modal));
}

// The server's present time is the request of a window that may take the focus, which the
// window manager need not weigh against older ones. A dialog up takes it: the window's
// own keys wait for it, and mutter gives back a dialog minimized with the window only so.
static void PresentNow(void *ctx) {
  GtkWindow *target = App(ctx)->modal != nullptr ? GTK_WINDOW(App(ctx)->modal) : Toplevel(ctx);
  gtk_window_present_with_time(target,
                               OnX(ctx) ? gdk_x11_get_server_time(Own(ctx)) : GDK_CURRENT_TIME);
}

// A Wayland window neither comes up above the others nor learns that it was minimized: a
// desktop notification says what it cannot show.
static void SetAttention(void *ctx, int on) {
  gtk_window_set_urgency_hint(Toplevel(ctx), on);
  if (OnX(ctx)) {
    if (!on) X11EndDemandsAttention(Own(ctx));
  } else if (on) {
    KvgNotifyFlag(App(ctx)->state.flagFileName);
  } else {
    KvgWithdrawNotification();
  }
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

// The one place that tells the desktops apart. The window manager is asked anew each
// time, since a login entry may start korvane before it.
static PresenceWay ChooseWay(GdkDisplay *display) {
  if (!GDK_IS_X11_DISPLAY(display)) return kPresenceAsk;
  GdkScreen *screen = gdk_display_get_default_screen(display);
  return g_strcmp0(gdk_x11_screen_get_window_manager_name(screen), "KWin") == 0 ? kPresenceDeiconify
                                                                                : kPresenceRemap;
}

void KvgShowWindow(KvgApp *app) {
  if (PresenceIsMinimized(&app->presence) && app->presence.way != kPresenceAsk)
    app->presence.way = ChooseWay(gtk_widget_get_display(app->window));
  PresenceShow(&app->presence);
}

PresenceWay KvgStartPresence(KvgApp *app) {
  PresencePort *port = &app->presencePort;
  *port = {app,        Withdraw,     MapWithoutFocus, Deiconify,    Iconify, BroughtUp,
           PresentNow, SetAttention, StartDeadline,   StopDeadline, Settled};
  gtk_widget_realize(app->window);
  GdkDisplay *display = gtk_widget_get_display(app->window);
  PresenceWay way = ChooseWay(display);
  if (way != kPresenceAsk) {
    X11DesktopInit(display);
    gdk_window_add_filter(gtk_widget_get_window(app->window), OnXEvent, app);
  }
  PresenceInit(&app->presence, way, port);
  return way;
}
