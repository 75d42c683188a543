// Which status lines the main window paints, and where: decided here from the state so
// the paint code only draws what it is given.
#ifndef WATCHER_CORE_STATUS_LINES_H
#define WATCHER_CORE_STATUS_LINES_H

#include "watcher/core/watcher_state.h"

enum { kMaxStatusLines = 3 };

struct StatusLine {
  const char *text;  // a constant text; draw it whole
  int x;             // client coordinates of the text's top left
  int y;
};

// Fills lines[0..n-1], top to bottom, with the lines to draw: "No Command Line
// Received" when noCommandLine is 1, "No System Timer Available" when noTimer is 1,
// "Flag is On..." when flagIsOn is 1. Returns n, from 0 to kMaxStatusLines.
int GetStatusLines(const WatcherState *state, StatusLine lines[kMaxStatusLines]);

#endif
