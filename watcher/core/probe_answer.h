// The answer of a probe that ran away from the event loop, so that a file server which
// stops answering cannot hold the window up. Apart from the rules so that a front end
// probing on its loop (Korvane.exe) links none of it.
#ifndef WATCHER_CORE_PROBE_ANSWER_H
#define WATCHER_CORE_PROBE_ANSWER_H

#include "watcher/core/watcher_ops.h"
#include "watcher/core/watcher_state.h"

// The probe of name, started by a tick of timer timerId (when WatcherTickProbes said so),
// found the flag: signal it as WatcherTimerTick does. The answer counts only while the
// watcher still polls for that name with that timer and signals nothing; one that comes
// after it left waiting (the flag signalled, the timer stopped or restarted, another name,
// a quit) changes nothing. A probe that failed needs no call: it changes nothing either.
void WatcherProbeFound(WatcherState *state, const WatcherOps *ops, unsigned int timerId,
                       const char *name);

#endif
