// The watcher's state record: its one starting state.
#include "watcher/core/watcher_state.h"

#include <string.h>

void InitWatcherState(WatcherState *state) {
  // One memset clears both name buffers whole, so no stale byte follows a terminator.
  memset(state, 0, sizeof(*state));
}
