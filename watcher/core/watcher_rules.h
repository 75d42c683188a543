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
// The same tick in two halves, for a front end that probes away from its event loop so
// that a file server which stops answering cannot hold the window up.
// WatcherTickProbes: 1 when a tick probes now (a name is set and no flag is signalled),
// 0 when the tick does nothing. Changes nothing.
int WatcherTickProbes(const WatcherState *state);
// WatcherProbeFound: the probe of name, started by a tick of timer timerId, found the
// flag: signal it as WatcherTimerTick does. The answer counts only while the watcher
// still polls for that name with that timer and signals nothing; one that comes after
// it left waiting (the flag signalled, the timer stopped or restarted, another name, a
// quit) changes nothing. A probe that failed needs no call: it changes nothing either.
void WatcherProbeFound(WatcherState *state, const WatcherOps *ops, unsigned int timerId,
                       const char *name);
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
