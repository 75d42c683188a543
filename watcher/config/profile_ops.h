// The operations through which configuration reaches the INI file. Each front end says
// where its INI file lives: the Win32 build beside the program, the Linux build in the
// user's configuration folder; the unit tests bind them to a fake. Every operation
// receives ctx unchanged.
#ifndef WATCHER_CONFIG_PROFILE_OPS_H
#define WATCHER_CONFIG_PROFILE_OPS_H

struct ProfileOps {
  void *ctx;

  // Puts the INI file's path, terminated, into buffer (size bytes). Returns its length,
  // or 0 with buffer "" when there is none or it would not fit whole: a cut path names
  // another file and must never be used.
  int (*iniPath)(void *ctx, char *buffer, int size);
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
