// The login entry, written and removed through GLib's key files.
#include "watcher/gtk/login_entry.h"

#include <glib.h>
#include <glib/gstdio.h>
#include <string.h>

#include "watcher/core/watcher_constants.h"
#include "watcher/gtk/program_name.h"

#define KVG_ENTRY_GROUP "Desktop Entry"
#define KVG_LOGIN_COMMENT "Watches the flag file and pops up when a batch job raises it"

char *LoginExecArgument(const char *program) {
  int quote = strpbrk(program, " \t\n\"'\\><~|&;$*?#()`") != nullptr;
  GString *exec = g_string_new(quote ? "\"" : "");
  for (const char *p = program; *p != '\0'; ++p) {
    if (quote && strchr("\"`$\\", *p) != nullptr) g_string_append_c(exec, '\\');
    // A percent sign starts a field code, quoted or not: a literal one is doubled.
    if (*p == '%') g_string_append_c(exec, '%');
    g_string_append_c(exec, *p);
  }
  if (quote) g_string_append_c(exec, '"');
  return g_string_free(exec, FALSE);
}

static gchar *UserEntryPath(void) {
  return g_build_filename(g_get_user_config_dir(), "autostart", KVG_DESKTOP_ID, nullptr);
}

// Writes the user's entry: korvane's, hidden or not.
static int SaveEntry(const char *program, int hidden) {
  g_autoptr(GKeyFile) keys = g_key_file_new();
  g_autofree gchar *exec = LoginExecArgument(program);
  g_autofree gchar *path = UserEntryPath();
  g_autofree gchar *folder = g_path_get_dirname(path);
  g_key_file_set_string(keys, KVG_ENTRY_GROUP, "Type", "Application");
  g_key_file_set_string(keys, KVG_ENTRY_GROUP, "Name", "Korvane");
  g_key_file_set_string(keys, KVG_ENTRY_GROUP, "GenericName", KV_WINDOW_TITLE);
  g_key_file_set_string(keys, KVG_ENTRY_GROUP, "Comment", KVG_LOGIN_COMMENT);
  g_key_file_set_string(keys, KVG_ENTRY_GROUP, "Exec", exec);
  g_key_file_set_string(keys, KVG_ENTRY_GROUP, "Icon", KVG_PROGRAM_NAME);
  g_key_file_set_boolean(keys, KVG_ENTRY_GROUP, "Terminal", FALSE);
  if (hidden) g_key_file_set_boolean(keys, KVG_ENTRY_GROUP, "Hidden", TRUE);
  return g_mkdir_with_parents(folder, 0700) == 0 && g_key_file_save_to_file(keys, path, nullptr);
}

int WriteLoginEntry(const char *program) { return SaveEntry(program, 0); }

// Whether a folder of $XDG_CONFIG_DIRS holds an entry for all users.
static int SystemEntryExists(void) {
  for (const gchar *const *dir = g_get_system_config_dirs(); *dir != nullptr; ++dir) {
    g_autofree gchar *path = g_build_filename(*dir, "autostart", KVG_DESKTOP_ID, nullptr);
    if (g_file_test(path, G_FILE_TEST_EXISTS)) return 1;
  }
  return 0;
}

int RemoveLoginEntry(const char *program) {
  if (SystemEntryExists()) return SaveEntry(program, 1);
  g_autofree gchar *path = UserEntryPath();
  return g_unlink(path) == 0 || !g_file_test(path, G_FILE_TEST_EXISTS);
}
