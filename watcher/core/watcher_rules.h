// The watcher's event rules: each function handles one event, applying it to the state
// record through the operations, in the order the watcher's behaviour depends on.
#ifndef WATCHER_CORE_WATCHER_RULES_H
#define WATCHER_CORE_WATCHER_RULES_H

#include "watcher/core/watcher_ops.h"
#include "watcher/core/watcher_state.h"

// Requests the poll timer at start-up; a refusal sets noTimer.
void WatcherStartTimer(WatcherState *state, const WatcherOps *ops);
// After configuration and the first timer request: minimize and wait, or stay open to
// show a complaint.
void WatcherStartupDecision(WatcherState *state, const WatcherOps *ops);
// A timer tick: probe the flag and, when it is up, signal.
void WatcherTimerTick(WatcherState *state, const WatcherOps *ops);
// The tick's first half, for a front end that probes away from its event loop (see
// probe_answer.h): 1 when a tick probes now (a name is set and no flag is signalled), 0
// when the tick does nothing. Changes nothing.
int WatcherTickProbes(const WatcherState *state);
// The tick's steps once its probe found the flag (and closed it): flagIsOn, the timer
// stopped, the window restored, raised topmost, focused and repainted.
void WatcherFlagFound(WatcherState *state, const WatcherOps *ops);
// The minimize request, from the user or sent by the program itself.
void WatcherMinimizeRequest(WatcherState *state, const WatcherOps *ops);
// The window was minimized by anything but the program itself: the user through the
// window manager, a gesture that minimizes every window, another program. The front end
// tells the core so; the rule is the user's minimize request, and where that rule keeps
// the window open (no name, or no timer) the window is restored, so that its complaint
// stays in sight. Nothing happens while the program considers the window minimized
// already. A front end calls it for no minimize of the program's own (ops->minimize).
void WatcherWindowMinimized(WatcherState *state, const WatcherOps *ops);
// The restore request.
void WatcherRestoreRequest(WatcherState *state, const WatcherOps *ops);
// The system close command.
void WatcherSystemClose(WatcherState *state, const WatcherOps *ops);
// Window close, destroy, or the session really ending.
void WatcherWindowClose(WatcherState *state, const WatcherOps *ops);
// The File menu's commands.
void WatcherExitCommand(WatcherState *state, const WatcherOps *ops);
void WatcherDeleteFlagCommand(WatcherState *state, const WatcherOps *ops);
// Delete Flag's second half, for a front end that deletes away from its event loop: the
// command's steps once deleting flagFileName has answered, deleted non-zero on success.
void WatcherFlagDeleted(WatcherState *state, const WatcherOps *ops, int deleted);
void WatcherSetFlagCommand(WatcherState *state, const WatcherOps *ops);
void WatcherAboutCommand(WatcherState *state, const WatcherOps *ops);
// The window lost the keyboard focus.
void WatcherFocusLost(WatcherState *state, const WatcherOps *ops);

#endif
