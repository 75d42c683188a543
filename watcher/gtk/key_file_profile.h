// The Linux watcher's INI file: korvane.ini in the user's configuration folder, read and
// written with GLib's key-file functions, so other groups, keys and comments survive a
// save. No GTK here, so the unit tests run it as it is.
#ifndef WATCHER_GTK_KEY_FILE_PROFILE_H
#define WATCHER_GTK_KEY_FILE_PROFILE_H

#include "watcher/config/profile_ops.h"
#include "watcher/core/watcher_state.h"

// The program's name, as the desktop knows it: command, icon and configuration folder.
#define KVG_PROGRAM_NAME "korvane"
#define KVG_INI_NAME KVG_PROGRAM_NAME ".ini"

// ProfileOps on key files. readString gives def when the file is missing, unreadable or
// malformed, or the value is not text; writeString creates the file and its folder when
// missing, replaces the file whole only once the new one is written, and leaves a file
// it cannot read or parse untouched. modulePath reports no path: the INI file does not
// live beside the program here.
ProfileOps KeyFileProfileOps(void);

// Puts $XDG_CONFIG_HOME/korvane/korvane.ini (by default ~/.config/korvane/korvane.ini)
// into out (size bytes); "" when it does not fit.
void KeyFileIniPath(char *out, int size);

// Sets iniFileName to iniPath and flagFileName and noCommandLine by the watcher's rules:
// args (the program's arguments joined by single blanks, "" for none) win for this run
// and are not saved, else the name in the INI file, cut to 63 bytes, counts.
void LoadKeyFileConfiguration(WatcherState *state, const ProfileOps *profile, const char *iniPath,
                              const char *args);

// Copies text into out (size bytes), cut to at most size - 1 bytes without splitting a
// UTF-8 character, and terminated.
void CopyWholeCharacters(const char *text, char *out, int size);

#endif
