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
// The minimize request, from the user or sent by the program itself.
void WatcherMinimizeRequest(WatcherState *state, const WatcherOps *ops);
// The restore request.
void WatcherRestoreRequest(WatcherState *state, const WatcherOps *ops);
// The system close command.
void WatcherSystemClose(WatcherState *state, const WatcherOps *ops);
// Window close, destroy, or the session really ending.
void WatcherWindowClose(WatcherState *state, const WatcherOps *ops);
// The File menu's commands.
void WatcherExitCommand(WatcherState *state, const WatcherOps *ops);
void WatcherDeleteFlagCommand(WatcherState *state, const WatcherOps *ops);
void WatcherSetFlagCommand(WatcherState *state, const WatcherOps *ops);
void WatcherAboutCommand(WatcherState *state, const WatcherOps *ops);
// The window lost the keyboard focus.
void WatcherFocusLost(WatcherState *state, const WatcherOps *ops);

#endif
