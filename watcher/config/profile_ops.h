// The operations through which configuration reaches the program file's path and the
// INI file. The Win32 build binds them to the kernel's calls, the unit tests to a fake.
// Every operation receives ctx unchanged.
#ifndef WATCHER_CONFIG_PROFILE_OPS_H
#define WATCHER_CONFIG_PROFILE_OPS_H

struct ProfileOps {
  void *ctx;

  // Puts the running program file's full path, terminated, into buffer (size bytes).
  // Returns its length, or 0 with buffer "" when it cannot be had or would not fit
  // whole: a cut path must never be used.
  int (*modulePath)(void *ctx, char *buffer, int size);
  // Reads key of section from the INI file named file into buffer (size bytes), cut to
  // size - 1 characters and terminated; a missing file, section or key gives def.
  // Returns the number of characters stored.
  int (*readString)(void *ctx, const char *section, const char *key, const char *def, char *buffer,
                    int size, const char *file);
  // Writes value as key of section into the INI file named file, keeping the rest of
  // the file. Returns non-zero on success.
  int (*writeString)(void *ctx, const char *section, const char *key, const char *value,
                     const char *file);
};

#endif
