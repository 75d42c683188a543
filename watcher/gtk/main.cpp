// korvane's entry point on Linux: the options Linux users expect, then Korvane.exe's
// start-up steps in their order, then the GTK main loop.
#include <glib-unix.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>

#include "watcher/config/configuration.h"
#include "watcher/core/watcher_rules.h"
#include "watcher/gtk/key_file_profile.h"
#include "watcher/gtk/kvg_app.h"
#include "watcher/gtk/options.h"

KvgApp g_kvg;

// The arguments GTK left, joined by single blanks, so an unquoted name with blanks is
// one name as on Windows; a leading "--" only ends the options.
static GString *JoinArguments(int argc, char **argv) {
  GString *joined = g_string_new("");
  int first = argc > 1 && strcmp(argv[1], "--") == 0 ? 2 : 1;
  for (int i = first; i < argc; ++i) {
    if (i > first) g_string_append_c(joined, ' ');
    g_string_append(joined, argv[i]);
  }
  return joined;
}

// The end of the session (or a kill): the rule for it quits as Windows' WM_ENDSESSION,
// once. gtk_main_quit ends only the outer loop, so a dialog or the error box running its
// own is ended too, as a Cancel: the program must not wait for the user to close it.
static gboolean OnSessionEnd(gpointer) {
  if (g_kvg.sessionEnded) return G_SOURCE_CONTINUE;
  g_kvg.sessionEnded = 1;
  WatcherWindowClose(&g_kvg.state, &g_kvg.ops);
  KvgEndModal();
  return G_SOURCE_CONTINUE;
}

// The rest of start-up, once the window manager has mapped the window: it ignores an
// iconify asked for before it has taken the window on, and the window would stay open.
// The order is Korvane.exe's: configuration, the timer, then the decision.
static gboolean OnFirstMap(GtkWidget *, GdkEvent *, gpointer args) {
  static int started = 0;
  if (started) return FALSE;
  started = 1;
  LoadConfiguration(&g_kvg.state, &g_kvg.profile, static_cast<GString *>(args)->str);
  g_string_free(static_cast<GString *>(args), TRUE);
  WatcherStartTimer(&g_kvg.state, &g_kvg.ops);
  WatcherStartupDecision(&g_kvg.state, &g_kvg.ops);
  return FALSE;
}

int main(int argc, char **argv) {
  // Keep-above and taking the focus are requests Wayland does not have: under a Wayland
  // session with XWayland the window is an X11 one. GDK_BACKEND, when set, still wins.
  gdk_set_allowed_backends("x11,wayland");
  int answered = AnswerOptions(&argc, &argv);
  if (answered >= 0) return answered;
  if (!gtk_init_check(&argc, &argv)) {
    fprintf(stderr, "%s: cannot open the display\n", KVG_PROGRAM_NAME);
    return 1;
  }
  InitWatcherState(&g_kvg.state);
  KvgBindOps(&g_kvg);
  KvgInstallStyle();
  gtk_window_set_default_icon_name(KVG_ICON_NAME);
  g_kvg.window = KvgCreateMainWindow(&g_kvg);
  // XWayland was not there, or GDK_BACKEND asked for Wayland: the user should know what
  // the window cannot do, once.
  if (KvgStartPresence(&g_kvg) == kPresenceAsk) fputs(KVG_WAYLAND_LIMITS, stderr);
  g_signal_connect(g_kvg.window, "map-event", G_CALLBACK(OnFirstMap), JoinArguments(argc, argv));
  g_unix_signal_add(SIGTERM, OnSessionEnd, nullptr);
  g_unix_signal_add(SIGHUP, OnSessionEnd, nullptr);
  gtk_widget_show_all(g_kvg.window);
  gtk_main();
  return 0;
}
