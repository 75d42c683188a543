// Applying the answer of a probe that ran away from the event loop.
#include "watcher/core/probe_answer.h"

#include <string.h>

#include "watcher/core/watcher_rules.h"

void WatcherProbeFound(WatcherState *state, const WatcherOps *ops, unsigned int timerId,
                       const char *name) {
  // The timer is stopped by every rule that leaves polling and started anew on the way
  // back, so an answer from before then finds another timer, or none.
  if (!WatcherTickProbes(state) || state->timerId != timerId) return;
  if (strcmp(state->flagFileName, name) != 0) return;
  WatcherFlagFound(state, ops);
}
