// The status lines for assistive technology: the main window's drawing area is, to a
// screen reader, a notification named after the lines it shows, and is announced when
// a line appears in sight.
#ifndef WATCHER_GTK_STATUS_ACCESS_H
#define WATCHER_GTK_STATUS_ACCESS_H

#include <gtk/gtk.h>

#include "watcher/core/watcher_state.h"

// Makes area's accessible object a notification, with no name yet.
void KvgInitStatusAccess(GtkWidget *area);

// Names area's accessible object after the status lines due for state, one a line, or
// nothing while none is. When announce is 1, or when shown is 1 and the name changed, a
// non-empty name is announced: screen readers speak a notification that becomes showing,
// even in a window that is not active.
void KvgTellStatus(GtkWidget *area, const WatcherState *state, int shown, int announce);

#endif
