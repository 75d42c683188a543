// The native Linux watcher's process-wide record and its modules: the GTK window and its
// drawing area, the one WatcherState, the operations bound to GTK and the key-file
// profile. The record lives for the whole process; nothing in it is ever released.
#ifndef WATCHER_GTK_KVG_APP_H
#define WATCHER_GTK_KVG_APP_H

#include <gtk/gtk.h>

#include "watcher/config/profile_ops.h"
#include "watcher/core/watcher_ops.h"
#include "watcher/core/watcher_state.h"
#include "watcher/gtk/key_file_profile.h"

#define KVG_ICON_NAME KVG_PROGRAM_NAME
// The style class of the windows painted in the watcher's grey.
#define KVG_STYLE_CLASS "korvane"

struct KvgApp {
  GtkWidget *window;  // the main window; the dialogs are centred over it
  GtkWidget *area;    // below the menu bar: the status lines are drawn here
  int iconified;      // 1 from an iconify, the program's or the user's, until deiconified
  WatcherState state;
  WatcherOps ops;
  ProfileOps profile;
};

// The one process record. Signal handlers, dialogs and operations reach the state here.
extern KvgApp g_kvg;

// Binds every operation of app->ops to GTK, GLib and POSIX, with app as ctx.
void KvgBindOps(KvgApp *app);

// Builds the main window (title, fixed size, File menu, drawing area) with its signal
// handlers connected, centred on the screen and not yet shown.
GtkWidget *KvgCreateMainWindow(KvgApp *app);

// Draws the grey background and the status lines due for state, as Korvane.exe paints.
void KvgPaintStatus(GtkWidget *area, cairo_t *cr, const WatcherState *state);

// Makes every window with the style class KVG_STYLE_CLASS grey with black text.
void KvgInstallStyle(void);

// Runs Set Flag File modally over parent; returns 1 when a name was confirmed, 0 when
// cancelled, and updates flagFileName and noCommandLine by the dialog's rules.
int KvgRunSetFlagDialog(GtkWindow *parent, WatcherState *state);
// Runs About modally over parent; only its OK closes it.
void KvgRunAboutDialog(GtkWindow *parent);
// Shows a modal error message dialog with text, titled caption, over parent.
void KvgErrorBox(GtkWindow *parent, const char *text, const char *caption);

#endif
