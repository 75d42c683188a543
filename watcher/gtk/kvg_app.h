// The native Linux watcher's process-wide record and its modules: the GTK window and its
// drawing area, the one WatcherState, the operations bound to GTK and the key-file
// profile. The record lives for the whole process; nothing in it is ever released.
#ifndef WATCHER_GTK_KVG_APP_H
#define WATCHER_GTK_KVG_APP_H

#include <gtk/gtk.h>

#include "watcher/config/profile_ops.h"
#include "watcher/core/watcher_ops.h"
#include "watcher/core/watcher_state.h"
#include "watcher/gtk/presence.h"
#include "watcher/gtk/program_name.h"

#define KVG_ICON_NAME KVG_PROGRAM_NAME
// The style class of the windows painted in the watcher's grey.
#define KVG_STYLE_CLASS "korvane"
// Said on standard error when the window is a Wayland one.
#define KVG_WAYLAND_LIMITS                                                \
  KVG_PROGRAM_NAME                                                        \
  ": a Wayland window cannot keep itself above other windows, nor learn " \
  "that it was minimized, so a flag still up after a minimize is not "    \
  "shown again; start korvane with GDK_BACKEND=x11 to run it on XWayland\n"

struct KvgApp {
  GtkWidget *window;        // the main window; the dialogs are centred over it
  GtkWidget *area;          // below the menu bar: the status lines are drawn here
  GtkWidget *modal;         // the dialog or error box whose loop runs now; null when none
  int sessionEnded;         // 1 once SIGTERM or SIGHUP came: the program is on its way out
  int probePending;         // 1 from a probe's start until its answer is applied
  int deletePending;        // 1 from Delete Flag until the delete's answer is applied
  unsigned int probeTimer;  // the timer whose tick started that probe
  char probeName[kFlagFileNameSize];  // the name it probes
  GAsyncQueue *probes;                // names handed to the probe thread
  WatcherState state;
  WatcherOps ops;
  ProfileOps profile;
  Presence presence;  // the one owner of the window's visibility
  PresencePort presencePort;
  unsigned int deadline;  // the presence machine's timer, 0 when none runs
};

// The one process record. Signal handlers, dialogs and operations reach the state here.
extern KvgApp g_kvg;

// Binds every operation of app->ops to GTK, GLib and POSIX, with app as ctx.
void KvgBindOps(KvgApp *app);

// The poll timer's tick: unless the tick does nothing, or a probe is still out (which
// counts as no flag), the probe thread opens the flag and the answer is applied by
// WatcherProbeFound back on the main loop.
gboolean KvgOnTick(gpointer app);

// Delete Flag: deletes the flag on a thread of its own, and applies the rule to the answer
// (WatcherFlagDeleted) back on the main loop. A second Delete Flag before the answer does
// nothing.
void KvgStartDelete(void);

// Ends the dialog or error box whose loop runs now as a Cancel: for the end of the
// session, which must not wait for the user.
void KvgEndModal(void);

// Builds the main window (title, fixed size, File menu, drawing area) with its signal
// handlers connected, centred on the screen and not yet shown.
GtkWidget *KvgCreateMainWindow(KvgApp *app);

// Binds app->presence to the window, once it is created, and chooses once, from the
// display, how it is shown again: returns kPresenceAsk on a Wayland display.
PresenceWay KvgStartPresence(KvgApp *app);

// Shows the window again, not focused, the way the window manager of the moment allows.
void KvgShowWindow(KvgApp *app);

// Draws the grey background and the status lines due for state, as Korvane.exe paints (in
// a high-contrast theme's colours, where one is in force).
void KvgPaintStatus(GtkWidget *area, cairo_t *cr, const WatcherState *state);

// Makes every window with the style class KVG_STYLE_CLASS grey with black text, but
// while the desktop asks for high contrast, whose colours then win there and in the
// status lines.
void KvgInstallStyle(void);

// Keeps the window at its width, or wider where the font makes a status line longer,
// whenever area's style changes.
void KvgFitStatus(GtkWidget *area);

// Runs Set Flag File modally over parent; returns 1 when a name was confirmed, 0 when
// cancelled, and updates flagFileName and noCommandLine by the dialog's rules.
int KvgRunSetFlagDialog(GtkWindow *parent, WatcherState *state);
// Runs About modally over parent; only its OK closes it.
void KvgRunAboutDialog(GtkWindow *parent);
// Shows a modal error message dialog with text, titled caption, over parent.
void KvgErrorBox(GtkWindow *parent, const char *text, const char *caption);

#endif
