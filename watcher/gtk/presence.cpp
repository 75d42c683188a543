// The main window's visibility as a state machine: each function takes one event, from
// the program or the window manager, and acts through the port.
#include "watcher/gtk/presence.h"

static void Withdraw(Presence *presence) {
  presence->port->withdraw(presence->port->ctx);
  presence->state = kPresenceWithdrawing;
  presence->port->startDeadline(presence->port->ctx, kPresenceDeadlineMs);
}

// The state is recorded before the port is told, which may bring the program's next
// request straight back here.
static void Settle(Presence *presence, PresenceState state, int iconic) {
  presence->port->stopDeadline(presence->port->ctx);
  presence->state = state;
  presence->port->settled(presence->port->ctx, iconic);
}

// Shown by the window manager's word: what was asked for meanwhile is asked now.
static void Grant(Presence *presence) {
  presence->port->stopDeadline(presence->port->ctx);
  presence->state = kPresenceShown;
  if (presence->attention) presence->port->setAttention(presence->port->ctx, 1);
  if (presence->focusWanted) presence->port->presentNow(presence->port->ctx);
  presence->focusWanted = 0;
}

// Asks the window manager to show the window, and waits for its word.
static void Deiconify(Presence *presence) {
  presence->port->deiconify(presence->port->ctx);
  ++presence->maps;
  presence->state = kPresenceMapping;
  presence->port->startDeadline(presence->port->ctx, kPresenceDeadlineMs);
}

// The first step of showing the window again, or the next after the window manager took it
// back minimized.
static void ShowAgain(Presence *presence) {
  if (presence->way == kPresenceDeiconify)
    Deiconify(presence);
  else
    Withdraw(presence);
}

static void ShowEnded(Presence *presence) {
  presence->port->broughtUp(presence->port->ctx);
  Grant(presence);
}

// The window manager let go of the window, or kept silent too long: it is mapped anew,
// minimized if the program asked for that meanwhile.
static void MapAnew(Presence *presence) {
  presence->port->mapWithoutFocus(presence->port->ctx);
  ++presence->maps;
  if (presence->minimizeWanted) {
    presence->minimizeWanted = 0;
    presence->port->stopDeadline(presence->port->ctx);
    presence->state = kPresenceMinimizing;
    return;
  }
  presence->state = kPresenceMapping;
  presence->port->startDeadline(presence->port->ctx, kPresenceDeadlineMs);
}

// The window manager took the window mapped anew, minimized (iconic) or not. Minimized,
// it goes through it again, up to kPresenceMaxMaps times, or the flag would go unseen.
static void Mapped(Presence *presence, int iconic) {
  if (!iconic) {
    presence->state = kPresenceConfirming;
    presence->port->startDeadline(presence->port->ctx, kPresenceConfirmMs);
  } else if (presence->maps < kPresenceMaxMaps) {
    ShowAgain(presence);
  } else {
    presence->focusWanted = 0;
    Settle(presence, kPresenceMinimized, 1);
  }
}

void PresenceInit(Presence *presence, PresenceWay way, const PresencePort *port) {
  *presence = Presence();
  presence->way = way;
  presence->state = kPresenceShown;
  presence->port = port;
}

void PresenceShow(Presence *presence) {
  if (presence->minimizeWanted) {
    // The withdrawn window is to be mapped shown after all.
    presence->minimizeWanted = 0;
    presence->port->deiconify(presence->port->ctx);
  }
  if (presence->state != kPresenceMinimizing && presence->state != kPresenceMinimized) return;
  if (presence->way == kPresenceAsk) {
    // Only an activation brings a Wayland window back.
    presence->port->deiconify(presence->port->ctx);
    presence->port->presentNow(presence->port->ctx);
    presence->state = kPresenceShown;
    return;
  }
  presence->maps = 0;
  ShowAgain(presence);
}

void PresenceMinimize(Presence *presence) {
  presence->focusWanted = 0;
  switch (presence->state) {
    case kPresenceShown:
    case kPresenceMapping:
    case kPresenceConfirming:
      presence->port->stopDeadline(presence->port->ctx);
      presence->port->iconify(presence->port->ctx);
      // A Wayland compositor never says: minimizing is all the program can know.
      presence->state = kPresenceMinimizing;
      break;
    case kPresenceWithdrawing:
      // Withdrawn, the window is in no taskbar: it is mapped anew, minimized, so that the
      // user can still bring it back.
      presence->port->iconify(presence->port->ctx);
      presence->minimizeWanted = 1;
      break;
    case kPresenceMinimizing:
    case kPresenceMinimized:
      break;
  }
}

void PresenceAttend(Presence *presence, int takeFocus) {
  presence->attention = 1;
  presence->focusWanted |= takeFocus;
  if (presence->state == kPresenceShown) Grant(presence);
}

void PresenceQuiet(Presence *presence) {
  presence->attention = presence->focusWanted = 0;
  presence->port->setAttention(presence->port->ctx, 0);
}

void PresenceWmReport(Presence *presence, PresenceReport report) {
  switch (presence->state) {
    case kPresenceWithdrawing:
      if (report == kReportWithdrawn) MapAnew(presence);
      break;
    case kPresenceMapping:
      // A withdrawn report here is the late word on the withdraw before.
      if (report != kReportWithdrawn) Mapped(presence, report == kReportIconic);
      break;
    case kPresenceConfirming:
      if (report == kReportIconic) Mapped(presence, 1);
      break;
    case kPresenceShown:
      if (report == kReportIconic) Settle(presence, kPresenceMinimized, 1);
      break;
    case kPresenceMinimizing:
      if (report == kReportIconic) presence->state = kPresenceMinimized;
      break;
    case kPresenceMinimized:
      if (report == kReportNormal) Settle(presence, kPresenceShown, 0);
      break;
  }
}

void PresenceDeadline(Presence *presence) {
  if (presence->state == kPresenceWithdrawing) MapAnew(presence);
  // Mapped and no word, or no word against it: the window manager shows it.
  else if (presence->state == kPresenceMapping || presence->state == kPresenceConfirming)
    ShowEnded(presence);
}

int PresenceIsMinimized(const Presence *presence) {
  return presence->minimizeWanted || presence->state == kPresenceMinimizing ||
         presence->state == kPresenceMinimized;
}
