// The watcher's INI file on Linux, through GLib's key files.
#include "watcher/gtk/key_file_profile.h"

#include <glib.h>
#include <string.h>

void CopyWholeCharacters(const char *text, char *out, int size) {
  size_t length = strlen(text);
  if (length > static_cast<size_t>(size - 1)) {
    length = static_cast<size_t>(size - 1);
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  }
  memcpy(out, text, length);
  out[length] = '\0';
}

// Copies text whole into out (size bytes) and returns its length, or 0 with out "".
static int CopyWhole(const char *text, char *out, int size) {
  size_t length = strlen(text);
  if (length >= static_cast<size_t>(size)) length = 0;
  memcpy(out, text, length);
  out[length] = '\0';
  return static_cast<int>(length);
}

static int IniPath(void *ctx, char *buffer, int size) {
  if (ctx != nullptr) return CopyWhole(static_cast<const char *>(ctx), buffer, size);
  g_autofree gchar *path =
      g_build_filename(g_get_user_config_dir(), KVG_PROGRAM_NAME, KVG_INI_NAME, nullptr);
  return CopyWhole(path, buffer, size);
}

static int ReadString(void *, const char *section, const char *key, const char *def, char *buffer,
                      int size, const char *file) {
  g_autoptr(GKeyFile) keys = g_key_file_new();
  g_autofree gchar *value = nullptr;
  if (g_key_file_load_from_file(keys, file, G_KEY_FILE_NONE, nullptr))
    value = g_key_file_get_string(keys, section, key, nullptr);
  CopyWholeCharacters(value != nullptr ? value : def, buffer, size);
  return static_cast<int>(strlen(buffer));
}

static int WriteString(void *, const char *section, const char *key, const char *value,
                       const char *file) {
  g_autoptr(GKeyFile) keys = g_key_file_new();
  g_autoptr(GError) error = nullptr;
  // Writing anew a file that could not be read would lose what it holds.
  GKeyFileFlags keep =
      static_cast<GKeyFileFlags>(G_KEY_FILE_KEEP_COMMENTS | G_KEY_FILE_KEEP_TRANSLATIONS);
  if (!g_key_file_load_from_file(keys, file, keep, &error) &&
      !g_error_matches(error, G_FILE_ERROR, G_FILE_ERROR_NOENT))
    return 0;
  g_autofree gchar *folder = g_path_get_dirname(file);
  g_key_file_set_string(keys, section, key, value);
  return g_mkdir_with_parents(folder, 0700) == 0 && g_key_file_save_to_file(keys, file, nullptr);
}

ProfileOps KeyFileProfileOps(const char *path) {
  ProfileOps ops = {const_cast<char *>(path), IniPath, ReadString, WriteString};
  return ops;
}
