// The operations through which the watcher's rules act on the window, the flag file and
// the other parts of the program. The Win32 build binds them to the real calls; the unit
// tests bind them to a recording fake. Every operation receives ctx unchanged.
#ifndef WATCHER_CORE_WATCHER_OPS_H
#define WATCHER_CORE_WATCHER_OPS_H

#include "watcher/core/watcher_state.h"

struct WatcherOps {
  void *ctx;

  // Minimizes the main window (CloseWindow). Afterwards isMinimized reports 1.
  void (*minimize)(void *ctx);
  // Restores the minimized main window (OpenIcon).
  void (*restore)(void *ctx);
  // Returns non-zero while the main window is minimized (IsIconic).
  int (*isMinimized)(void *ctx);
  // Puts the window above all ordinary windows without activating, moving or sizing it.
  void (*raiseTopmost)(void *ctx);
  // Puts the window below all windows and ends its topmost placement; no move or size.
  void (*dropToBottom)(void *ctx);
  // Gives the main window the keyboard focus.
  void (*focus)(void *ctx);
  // Invalidates the whole client area with erase: one later erase and paint follow.
  void (*repaint)(void *ctx);
  // Starts the poll timer (identifier kPollTimerId, every kPollIntervalMs, ticks
  // arriving also while a modal dialog runs). Returns its non-zero identifier, or 0
  // when the system refuses a timer.
  unsigned int (*startTimer)(void *ctx);
  // Stops the timer with the given identifier; no further ticks come from it.
  void (*stopTimer)(void *ctx, unsigned int timerId);
  // Posts the quit message: the message loop ends and the program returns 0.
  void (*quit)(void *ctx);
  // Shows a modal error box with the stop icon over the main window; returns when the
  // user closes it. Ticks and other messages may be handled while it is up.
  void (*errorBox)(void *ctx, const char *text, const char *caption);
  // Opens name for reading, letting others read and write it, only if it exists.
  // Returns an opaque non-null token when it could be opened, else null; nothing is
  // read through it.
  void *(*probeOpen)(void *ctx, const char *name);
  // Closes a token returned by probeOpen.
  void (*probeClose)(void *ctx, void *token);
  // Deletes the named file. Returns non-zero on success.
  int (*deleteFile)(void *ctx, const char *name);

  // Runs the Set Flag File dialog modally; the dialog updates flagFileName and
  // noCommandLine itself. Returns 1 when a name was confirmed, 0 when cancelled.
  int (*runSetFlagDialog)(void *ctx, WatcherState *state);
  // Runs the About dialog modally.
  void (*runAboutDialog)(void *ctx);
  // Writes flagFileName to the INI file; failures are silent.
  void (*saveFlagName)(void *ctx, const WatcherState *state);
  // Sends the main window a minimize request synchronously: the request's rule has run
  // to its end when this returns.
  void (*sendMinimizeRequest)(void *ctx);
};

#endif
