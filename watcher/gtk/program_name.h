// The native watcher's name, as the desktop knows it: its command, its icon and its
// configuration folder.
#ifndef WATCHER_GTK_PROGRAM_NAME_H
#define WATCHER_GTK_PROGRAM_NAME_H

#define KVG_PROGRAM_NAME "korvane"

#endif
