// GTK, GLib and POSIX behind the watcher's operations, on the process record.
#include "watcher/config/configuration.h"
#include "watcher/core/watcher_rules.h"
#include "watcher/gtk/key_file_profile.h"
#include "watcher/gtk/kvg_app.h"
#include "watcher/gtk/posix_files.h"
#include "watcher/gtk/status_access.h"
#include "watcher/gtk/x11_desktop.h"

static KvgApp *App(void *ctx) { return static_cast<KvgApp *>(ctx); }
static GtkWindow *Window(void *ctx) { return GTK_WINDOW(App(ctx)->window); }

// The presence machine owns the window's visibility; the rules only ask it.
static void Minimize(void *ctx) {
  KvgTellStatus(App(ctx)->area, &App(ctx)->state, 0, 0);
  PresenceMinimize(&App(ctx)->presence);
}

// Shown again, but not activated: whether the window takes the keyboard is the focus
// operation's to decide.
static void Restore(void *ctx) { KvgShowWindow(App(ctx)); }

static int IsMinimized(void *ctx) { return PresenceIsMinimized(&App(ctx)->presence); }

static void RaiseTopmost(void *ctx) { gtk_window_set_keep_above(Window(ctx), TRUE); }

// Back to waiting: the attention asked for while signalling is no longer wanted, neither
// the urgency hint nor the demands-attention state a window manager made of it.
static void DropToBottom(void *ctx) {
  PresenceQuiet(&App(ctx)->presence);
  gtk_window_set_keep_above(Window(ctx), FALSE);
  gdk_window_lower(gtk_widget_get_window(App(ctx)->window));
}

// Only the tick that finds the flag asks for the focus, and, as Windows for a program in
// the background, only when nobody is working in another window: the keys being typed
// there stay there. The urgency hint has the desktop show that the window wants
// attention either way. A Wayland compositor decides the focus itself.
static void Focus(void *ctx) {
  GdkWindow *own = gtk_widget_get_window(App(ctx)->window);
  PresenceAttend(&App(ctx)->presence,
                 App(ctx)->presence.way != kPresenceAsk && X11MayTakeFocus(own));
}

// A line that appears in a window in sight is announced at once; in one being shown
// again, once it is shown.
static void Repaint(void *ctx) {
  KvgTellStatus(App(ctx)->area, &App(ctx)->state, App(ctx)->presence.state == kPresenceShown, 0);
  gtk_widget_queue_draw(App(ctx)->area);
}

// The default main context runs under gtk_dialog_run's nested loop too, so ticks keep
// coming while a dialog or the error box is up, as WM_TIMER does on Windows.
static unsigned int StartTimer(void *ctx) { return g_timeout_add(kPollIntervalMs, KvgOnTick, ctx); }

// Safe from any callback, the timer's own included: GLib lets a source remove itself.
static void StopTimer(void *, unsigned int timerId) { g_source_remove(timerId); }

static void Quit(void *) { gtk_main_quit(); }

static void ErrorBox(void *ctx, const char *text, const char *caption) {
  KvgErrorBox(Window(ctx), text, caption);
}

static int RunSetFlag(void *ctx, WatcherState *state) {
  return KvgRunSetFlagDialog(Window(ctx), state);
}

static void RunAbout(void *ctx) { KvgRunAboutDialog(Window(ctx)); }

static void SaveName(void *ctx, const WatcherState *state) {
  SaveFlagName(state, &App(ctx)->profile);
}

// There is no message to send: the rule runs to its end before this returns, as
// SendMessageA's does.
static void SendMinimizeRequest(void *ctx) {
  WatcherMinimizeRequest(&App(ctx)->state, &App(ctx)->ops);
}

void KvgBindOps(KvgApp *app) {
  WatcherOps *ops = &app->ops;
  ops->ctx = app;
  ops->minimize = Minimize;
  ops->restore = Restore;
  ops->isMinimized = IsMinimized;
  ops->raiseTopmost = RaiseTopmost;
  ops->dropToBottom = DropToBottom;
  ops->focus = Focus;
  ops->repaint = Repaint;
  ops->startTimer = StartTimer;
  ops->stopTimer = StopTimer;
  ops->quit = Quit;
  ops->errorBox = ErrorBox;
  ops->probeOpen = PosixProbeOpen;
  ops->probeClose = PosixProbeClose;
  ops->deleteFile = PosixDeleteFile;  // called off the main loop: see KvgStartDelete
  ops->runSetFlagDialog = RunSetFlag;
  ops->runAboutDialog = RunAbout;
  ops->saveFlagName = SaveName;
  ops->sendMinimizeRequest = SendMinimizeRequest;
  app->profile = KeyFileProfileOps(nullptr);  // the user's key file
}
