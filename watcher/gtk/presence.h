// The one owner of the main window's visibility on Linux: whether it is shown or
// minimized, how a minimized window is shown again without taking the keyboard, and when
// the attention it asks for may be shown. A state machine with no GTK, GDK or X11 in it:
// the front end tells it what the program wants and what the window manager reports, and
// it acts through a small port, so the unit tests run it as it is, without a display.
#ifndef WATCHER_GTK_PRESENCE_H
#define WATCHER_GTK_PRESENCE_H

// How a minimized window is shown again: from the display, chosen once at start, and from
// the window manager, before each show.
enum PresenceWay {
  // An X server (X11, or XWayland under a Wayland compositor): the window is withdrawn and
  // mapped anew as not to be focused, once the window manager has let go of it. GNOME's
  // mutter keeps a minimized window and gives it back only to a request that also focuses
  // it, which would take the keys from someone typing elsewhere.
  kPresenceRemap,
  // An X server whose window manager shows a minimized window again, as the same window,
  // without the focus when asked with no user time (KDE's kwin): the task button keeps its
  // place, where a window mapped anew is a new one at the end of the taskbar.
  kPresenceDeiconify,
  // A Wayland compositor: a program may only ask to be shown and activated, and is told
  // nothing back of a minimize.
  kPresenceAsk
};

// What the window manager says of the window: ICCCM's WM_STATE property.
enum PresenceReport {
  kReportWithdrawn,  // WithdrawnState, or no WM_STATE: the window manager let go of it
  kReportNormal,     // NormalState: shown
  kReportIconic      // IconicState: minimized
};

enum PresenceState {
  kPresenceShown,        // shown, as at start or as the window manager last said
  kPresenceMinimizing,   // the program asked for a minimize; the window manager has not said
  kPresenceMinimized,    // minimized, by the window manager's word
  kPresenceWithdrawing,  // being shown again: withdrawn, until the window manager lets go
  kPresenceMapping,      // being shown again: mapped anew or deiconified, until the window
                         // manager says how
  kPresenceConfirming    // being shown again: shown by the window manager's word, for a
                         // moment in which it may yet take it back minimized
};

// Times the window is mapped anew in one show before the window manager's word that it is
// minimized is taken: a busy mutter on XWayland now and then takes a window mapped again
// back minimized, and kwin may say it is shown before it says so. How long the machine
// waits for a word, and for a word that takes a shown window back.
enum { kPresenceMaxMaps = 3, kPresenceDeadlineMs = 5000, kPresenceConfirmMs = 300 };

// What the machine asks of the window. Every operation receives ctx unchanged.
struct PresencePort {
  void *ctx;
  // Unmaps the window so that the window manager lets go of it, to be mapped anew as a
  // normal window.
  void (*withdraw)(void *ctx);
  // Maps the withdrawn window, asking the window manager not to focus it. Minimized when
  // iconify was asked since the withdraw.
  void (*mapWithoutFocus)(void *ctx);
  // Asks the window manager to show the minimized window again, not focused; on a
  // withdrawn window, has it mapped as a normal window.
  void (*deiconify)(void *ctx);
  // Asks the window manager to minimize the window.
  void (*iconify)(void *ctx);
  // The window manager showed the window again: what stood above it (a dialog the user
  // was in) comes back with it.
  void (*broughtUp)(void *ctx);
  // Asks for the window to be activated, with the server's present time.
  void (*presentNow)(void *ctx);
  // Sets (on 1) the urgency hint, or clears it (on 0) and ends the window manager's
  // demands-attention state.
  void (*setAttention)(void *ctx, int on);
  // Calls PresenceDeadline once, ms from now, in place of any deadline still running.
  void (*startDeadline)(void *ctx, int ms);
  // No deadline call comes any more.
  void (*stopDeadline)(void *ctx);
  // The window came to rest other than as the program last asked: minimized (iconic 1) or
  // shown (0) by someone else, or a show the window manager refused (1).
  void (*settled)(void *ctx, int iconic);
};

struct Presence {
  PresenceWay way;
  PresenceState state;
  int minimizeWanted;  // the program minimized the window while it was being shown again
  int attention;       // attention asked for and not ended: shown once the window is
  int focusWanted;     // the focus asked for and not yet asked of the window manager
  int maps;            // times mapped anew in this show
  const PresencePort *port;
};

// Starts the machine for a window that the program has just asked to be shown.
void PresenceInit(Presence *presence, PresenceWay way, const PresencePort *port);

// The program wants the window shown, not focused. Nothing while it is shown or being shown.
void PresenceShow(Presence *presence);

// The program wants the window minimized, also while it is being shown again.
void PresenceMinimize(Presence *presence);

// The window is to ask for attention (the urgency hint) and, with takeFocus, for the
// keyboard too. Neither is asked of a window being shown again until the window manager
// has it shown: a hint on a withdrawn window is lost to some desktops.
void PresenceAttend(Presence *presence, int takeFocus);

// The attention is no longer wanted: the hint and the demands-attention state end now.
void PresenceQuiet(Presence *presence);

// The window manager's WM_STATE changed to report.
void PresenceWmReport(Presence *presence, PresenceReport report);

// The deadline came with no word from the window manager.
void PresenceDeadline(Presence *presence);

// 1 while the window is minimized or the program has asked for it to be.
int PresenceIsMinimized(const Presence *presence);

#endif
