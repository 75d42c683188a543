// How korvane asks the desktop for attention without taking the keyboard from someone,
// on X11 (and XWayland) and on Wayland.
#ifndef WATCHER_GTK_DESKTOP_ATTENTION_H
#define WATCHER_GTK_DESKTOP_ATTENTION_H

#include <gtk/gtk.h>

// Idle this long, another program's window no longer counts as in use: Windows' default
// for letting a program in the background take the foreground (ForegroundLockTimeout).
enum { kvgInUseMs = 200000 };

// Shows the minimized window again without asking for the focus. On X11 the window is
// withdrawn, and mapped anew as not to be focused once the window manager has let go of
// it, soon after this returns: GNOME's mutter keeps a minimized window mapped and gives it
// back only to a request that also focuses it. Then settled learns whether the window
// manager has it minimized after all. On Wayland, where a program can only ask, it asks
// to be activated.
void KvgShowWithoutFocus(GtkWindow *window, void (*settled)(int iconic));

// 1 while the window is being shown again, until settled is told: what GTK reports of it
// meanwhile is of the window the window manager let go of, and is no one's request.
int KvgShowing(GtkWindow *window);

// The program minimizes the window: one being shown again is mapped as GTK now has it,
// and not shown again should the window manager take it minimized.
void KvgStopShowing(GtkWindow *window);

// Whether the window may take the keyboard: 1 when korvane has it already, or the active
// window is another program's that nobody has used for kvgInUseMs, or there is none on an
// X server that sees all windows. 0 when someone may be working in another window, which
// XWayland cannot tell of a Wayland window, and on Wayland, which decides itself.
int KvgMayTakeFocus(GtkWindow *window);

// Asks for the focus with the server's present time: the request of a window that may
// take it, which the window manager need not weigh against older ones. A window still
// being shown again asks once it is shown.
void KvgTakeFocus(GtkWindow *window);

// Ends the window manager's demands-attention state, which some (KDE's kwin) keep after
// the urgency hint that caused it has gone.
void KvgEndDemandsAttention(GtkWindow *window);

#endif
