// The drawing area's accessible object, as ATK passes it on to AT-SPI.
#include "watcher/gtk/status_access.h"

#include "watcher/core/status_lines.h"

void KvgInitStatusAccess(GtkWidget *area) {
  AtkObject *access = gtk_widget_get_accessible(area);
  atk_object_set_role(access, ATK_ROLE_NOTIFICATION);
  atk_object_set_name(access, "");
}

void KvgTellStatus(GtkWidget *area, const WatcherState *state, int shown, int announce) {
  StatusLine lines[kMaxStatusLines];
  int count = GetStatusLines(state, lines);
  g_autoptr(GString) text = g_string_new("");
  for (int i = 0; i < count; ++i) g_string_append_printf(text, i ? "\n%s" : "%s", lines[i].text);
  AtkObject *access = gtk_widget_get_accessible(area);
  int changed = g_strcmp0(atk_object_get_name(access), text->str) != 0;
  if (changed) atk_object_set_name(access, text->str);
  if (text->len == 0 || !(announce || (shown && changed))) return;
  // A change of the showing state is what is announced: from not showing to showing.
  atk_object_notify_state_change(access, ATK_STATE_SHOWING, FALSE);
  atk_object_notify_state_change(access, ATK_STATE_SHOWING, TRUE);
}
