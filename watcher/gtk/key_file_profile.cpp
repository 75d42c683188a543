// The watcher's INI file on Linux, through GLib's key files.
#include "watcher/gtk/key_file_profile.h"

#include <glib.h>
#include <string.h>

#include "watcher/config/configuration.h"
#include "watcher/core/watcher_constants.h"

void CopyWholeCharacters(const char *text, char *out, int size) {
  size_t length = strlen(text);
  if (length > static_cast<size_t>(size - 1)) {
    length = static_cast<size_t>(size - 1);
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  }
  memcpy(out, text, length);
  out[length] = '\0';
}

static int NoModulePath(void *, char *buffer, int) {
  buffer[0] = '\0';
  return 0;
}

static int ReadString(void *, const char *section, const char *key, const char *def, char *buffer,
                      int size, const char *file) {
  GKeyFile *keys = g_key_file_new();
  gchar *value = nullptr;
  if (g_key_file_load_from_file(keys, file, G_KEY_FILE_NONE, nullptr))
    value = g_key_file_get_string(keys, section, key, nullptr);
  CopyWholeCharacters(value != nullptr ? value : def, buffer, size);
  g_free(value);
  g_key_file_free(keys);
  return static_cast<int>(strlen(buffer));
}

static int WriteString(void *, const char *section, const char *key, const char *value,
                       const char *file) {
  GKeyFile *keys = g_key_file_new();
  GError *error = nullptr;
  int ok = 0;
  // Writing anew a file that could not be read would lose what it holds.
  if (g_key_file_load_from_file(keys, file, G_KEY_FILE_KEEP_COMMENTS, &error) ||
      g_error_matches(error, G_FILE_ERROR, G_FILE_ERROR_NOENT)) {
    gchar *folder = g_path_get_dirname(file);
    g_key_file_set_string(keys, section, key, value);
    ok = g_mkdir_with_parents(folder, 0700) == 0 && g_key_file_save_to_file(keys, file, nullptr);
    g_free(folder);
  }
  g_clear_error(&error);
  g_key_file_free(keys);
  return ok;
}

ProfileOps KeyFileProfileOps(void) {
  ProfileOps ops = {nullptr, NoModulePath, ReadString, WriteString};
  return ops;
}

void KeyFileIniPath(char *out, int size) {
  gchar *path = g_build_filename(g_get_user_config_dir(), KVG_PROGRAM_NAME, KVG_INI_NAME, nullptr);
  if (strlen(path) < static_cast<size_t>(size))
    memcpy(out, path, strlen(path) + 1);
  else
    out[0] = '\0';
  g_free(path);
}

void LoadKeyFileConfiguration(WatcherState *state, const ProfileOps *profile, const char *iniPath,
                              const char *args) {
  char iniName[kNameReadSize] = "";
  if (iniPath[0] != '\0')
    profile->readString(profile->ctx, KV_INI_SECTION, KV_INI_KEY, "", iniName, kNameReadSize,
                        iniPath);
  // With no program path LoadConfiguration reads no INI file of its own and applies its
  // rules (a tail wins, an over-long one is refused, no name is a complaint) to the name
  // it is handed: the arguments when there are any, else the key file's.
  LoadConfiguration(state, profile, args[0] != '\0' ? args : iniName);
  CopyWholeCharacters(iniPath, state->iniFileName, kIniFileNameSize);
}
