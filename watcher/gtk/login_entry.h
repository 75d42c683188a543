// korvane's login entry: an XDG autostart desktop entry in the user's configuration
// folder, which the desktops that follow the autostart rules (GNOME, KDE, Xfce and
// others) start at login. GLib only, so the unit tests run it as it is.
#ifndef WATCHER_GTK_LOGIN_ENTRY_H
#define WATCHER_GTK_LOGIN_ENTRY_H

// The desktop entry's id: the login entry has the menu entry's, so that the user's
// login entry overrides one installed for all users.
#define KVG_DESKTOP_ID "korvane.desktop"

// Writes $XDG_CONFIG_HOME/autostart/korvane.desktop (by default under ~/.config), which
// starts program, an absolute path, with no name: korvane then watches the saved name
// and starts minimized. Replaces an entry that is there. Returns 1 on success.
int WriteLoginEntry(const char *program);

// Keeps korvane from starting at login: removes the user's login entry or, when an
// entry for all users is installed (in a folder of $XDG_CONFIG_DIRS), writes the user's
// entry over it with Hidden=true, which is how a user switches such an entry off.
// Returns 1 on success, also when there was nothing to remove.
int RemoveLoginEntry(const char *program);

// program as one argument of the entry's Exec line: as it is when it holds nothing the
// entry rules reserve, else in double quotes, with the four characters that stay special
// inside them (" ` $ \) escaped by a backslash; a percent sign, which would start a field
// code, doubled. The caller frees it with g_free.
char *LoginExecArgument(const char *program);

#endif
