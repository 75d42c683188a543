// The main window: its widgets and File menu, and one handler per signal, each handing
// its event to the watcher's rules.
#include <stdint.h>

#include "watcher/core/watcher_constants.h"
#include "watcher/core/watcher_rules.h"
#include "watcher/gtk/kvg_app.h"
#include "watcher/gtk/status_access.h"
#include "watcher/gtk/title_bar.h"
#include "watcher/resources/resource.h"

// Set Flag, Delete Flag and About run a modal dialog or the error box with a nested
// main loop: ticks, and so the poll rule, run inside them.
static void OnCommand(int command) {
  switch (command) {
    case IDM_ABOUT:
      WatcherAboutCommand(&g_kvg.state, &g_kvg.ops);
      break;
    case IDM_DELETEFLAG:
      KvgStartDelete();
      break;
    case IDM_SETFLAG:
      WatcherSetFlagCommand(&g_kvg.state, &g_kvg.ops);
      break;
    case IDM_EXIT:
      WatcherExitCommand(&g_kvg.state, &g_kvg.ops);
      break;
  }
}

static void OnMenuItem(GtkMenuItem *, gpointer command) {
  OnCommand(static_cast<int>(reinterpret_cast<intptr_t>(command)));
}

// The close button is the system close, and the window is kept while the rule ends the
// loop; but where the title bar offers no minimize, close is how a user dismisses the
// pop-up, and does what minimize does.
static gboolean OnDelete(GtkWidget *window, GdkEvent *, gpointer) {
  g_autofree gchar *layout = nullptr;
  g_object_get(gtk_widget_get_settings(window), "gtk-decoration-layout", &layout, nullptr);
  if (KvgCloseMinimizes(layout))
    WatcherMinimizeRequest(&g_kvg.state, &g_kvg.ops);
  else
    WatcherSystemClose(&g_kvg.state, &g_kvg.ops);
  return TRUE;
}

static gboolean OnFocusOut(GtkWidget *, GdkEvent *, gpointer) {
  WatcherFocusLost(&g_kvg.state, &g_kvg.ops);
  return FALSE;
}

// At start-up the accessibility bridge may not be listening yet when the window is first
// shown: a complaint is told again when the window first becomes active.
static void OnFirstActive(GtkWindow *window, GParamSpec *, gpointer) {
  if (!gtk_window_is_active(window)) return;
  g_signal_handlers_disconnect_by_func(window, reinterpret_cast<gpointer>(OnFirstActive), nullptr);
  KvgTellStatus(g_kvg.area, &g_kvg.state, 1, 1);
}

static gboolean OnDraw(GtkWidget *area, cairo_t *cr, gpointer) {
  KvgTellStatus(area, &g_kvg.state, 0, 0);
  KvgPaintStatus(area, cr, &g_kvg.state);
  return TRUE;
}

// Windows marks the mnemonic with '&', GTK with '_'.
static GtkWidget *NewMenuItem(const char *text, int command) {
  gchar *label = g_strdup(text);
  g_strdelimit(label, "&", '_');
  GtkWidget *item = gtk_menu_item_new_with_mnemonic(label);
  g_free(label);
  g_signal_connect(item, "activate", G_CALLBACK(OnMenuItem),
                   reinterpret_cast<gpointer>(static_cast<intptr_t>(command)));
  return item;
}

// The File menu of Korvane.exe, separators included; About is reached from here only,
// since there is no system menu to add it to.
static GtkWidget *NewMenuBar(void) {
  static const struct {
    const char *text;
    int command;
  } kItems[] = {{KV_MENU_SETFLAG, IDM_SETFLAG},
                {KV_MENU_DELETEFLAG, IDM_DELETEFLAG},
                {KV_MENU_EXIT, IDM_EXIT},
                {KV_MENU_ABOUT, IDM_ABOUT}};
  GtkWidget *menu = gtk_menu_new();
  for (const auto &item : kItems) {
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), gtk_separator_menu_item_new());
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), NewMenuItem(item.text, item.command));
  }
  gtk_menu_shell_append(GTK_MENU_SHELL(menu), gtk_separator_menu_item_new());
  GtkWidget *file = NewMenuItem(KV_MENU_FILE, 0);
  gtk_menu_item_set_submenu(GTK_MENU_ITEM(file), menu);
  GtkWidget *bar = gtk_menu_bar_new();
  gtk_menu_shell_append(GTK_MENU_SHELL(bar), file);
  return bar;
}

GtkWidget *KvgCreateMainWindow(KvgApp *app) {
  GtkWidget *window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), KV_WINDOW_TITLE);
  gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
  gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
  GtkWidget *box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  gtk_widget_set_size_request(box, kWindowWidth, kWindowHeight);
  app->area = gtk_drawing_area_new();
  gtk_box_pack_start(GTK_BOX(box), NewMenuBar(), FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), app->area, TRUE, TRUE, 0);
  gtk_container_add(GTK_CONTAINER(window), box);
  g_signal_connect(app->area, "draw", G_CALLBACK(OnDraw), nullptr);
  KvgInitStatusAccess(app->area);
  KvgFitStatus(app->area);
  g_signal_connect(window, "notify::is-active", G_CALLBACK(OnFirstActive), nullptr);
  g_signal_connect(window, "delete-event", G_CALLBACK(OnDelete), nullptr);
  g_signal_connect(window, "focus-out-event", G_CALLBACK(OnFocusOut), nullptr);
  return window;
}
