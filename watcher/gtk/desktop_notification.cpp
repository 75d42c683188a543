// org.freedesktop.Notifications' Notify and CloseNotification, on the session bus.
#include "watcher/gtk/desktop_notification.h"

#include <gio/gio.h>

#include "watcher/core/watcher_constants.h"
#include "watcher/gtk/program_name.h"

#define KVG_NOTIFICATIONS "org.freedesktop.Notifications"
#define KVG_NOTIFICATIONS_PATH "/org/freedesktop/Notifications"
// The highest urgency: the notification stays until the user deals with it.
enum { kCriticalUrgency = 2, kServerTimeout = -1 };

// The notification out (its id, 0 until the server answers) and whether it is still wanted.
static struct {
  GDBusConnection *bus;
  guint32 id;
  int wanted;
} s_note;

static void Call(const char *method, GVariant *parameters, GAsyncReadyCallback done) {
  g_dbus_connection_call(s_note.bus, KVG_NOTIFICATIONS, KVG_NOTIFICATIONS_PATH, KVG_NOTIFICATIONS,
                         method, parameters, nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, done,
                         nullptr);
}

static void Close(guint32 id) { Call("CloseNotification", g_variant_new("(u)", id), nullptr); }

// The server's answer to Notify: the id, or the notification was withdrawn meanwhile.
static void OnSent(GObject *bus, GAsyncResult *result, gpointer) {
  g_autoptr(GVariant) reply =
      g_dbus_connection_call_finish(G_DBUS_CONNECTION(bus), result, nullptr);
  if (reply == nullptr) return;
  guint32 id;
  g_variant_get(reply, "(u)", &id);
  if (s_note.wanted)
    s_note.id = id;
  else
    Close(id);
}

char *KvgNotificationBody(const char *name) {
  // A name from the command line may be any bytes; D-Bus carries only UTF-8.
  g_autofree char *text = g_utf8_make_valid(name, -1);
  return g_markup_escape_text(text, -1);
}

void KvgNotifyFlag(const char *name) {
  if (s_note.bus == nullptr) s_note.bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
  if (s_note.bus == nullptr) return;
  static const char *const kNoActions[] = {nullptr};
  g_autofree char *body = KvgNotificationBody(name);
  GVariantBuilder hints;
  g_variant_builder_init(&hints, G_VARIANT_TYPE_VARDICT);
  // The desktop entry's id without ".desktop": the desktop shows its name and icon, and
  // brings its window up when the notification is clicked.
  g_variant_builder_add(&hints, "{sv}", "desktop-entry", g_variant_new_string(KVG_PROGRAM_NAME));
  g_variant_builder_add(&hints, "{sv}", "urgency", g_variant_new_byte(kCriticalUrgency));
  s_note.wanted = 1;
  Call("Notify",
       g_variant_new("(susss^as@a{sv}i)", KV_WINDOW_TITLE, s_note.id, KVG_PROGRAM_NAME,
                     KV_TEXT_FLAG_ON, body, kNoActions, g_variant_builder_end(&hints),
                     kServerTimeout),
       OnSent);
}

void KvgWithdrawNotification(void) {
  s_note.wanted = 0;
  if (s_note.id != 0) Close(s_note.id);
  s_note.id = 0;
}
