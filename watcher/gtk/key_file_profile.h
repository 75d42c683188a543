// The Linux watcher's INI file: korvane.ini in the user's configuration folder, read and
// written with GLib's key-file functions, so other groups, keys and comments survive a
// save. No GTK here, so the unit tests run it as it is.
#ifndef WATCHER_GTK_KEY_FILE_PROFILE_H
#define WATCHER_GTK_KEY_FILE_PROFILE_H

#include "watcher/config/profile_ops.h"
#include "watcher/core/watcher_state.h"
#include "watcher/gtk/program_name.h"

#define KVG_INI_NAME KVG_PROGRAM_NAME ".ini"

// ProfileOps on key files. iniPath reports path, or with path null the user's
// $XDG_CONFIG_HOME/korvane/korvane.ini (by default ~/.config/korvane/korvane.ini); path
// is not copied and must outlive the ops. readString gives def when the file is missing,
// unreadable or malformed, or the value is not text, and cuts without splitting a UTF-8
// character; writeString creates the file and its folder when missing, changes only the
// one key (comments and translations of other keys stay), replaces the file whole only
// once the new one is written, and leaves a file it cannot read or parse untouched.
ProfileOps KeyFileProfileOps(const char *path);

// Copies text into out (size bytes), cut to at most size - 1 bytes without splitting a
// UTF-8 character, and terminated.
void CopyWholeCharacters(const char *text, char *out, int size);

#endif
