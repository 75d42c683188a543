// The status lines of the main window, chosen from the state's three flags.
#include "watcher/core/status_lines.h"

#include "watcher/core/watcher_constants.h"

static int AddLine(StatusLine lines[kMaxStatusLines], int count, const char *text, int y) {
  lines[count].text = text;
  lines[count].x = kTextLeft;
  lines[count].y = y;
  return count + 1;
}

int GetStatusLines(const WatcherState *state, StatusLine lines[kMaxStatusLines]) {
  int count = 0;
  if (state->noCommandLine != 0)
    count = AddLine(lines, count, KV_TEXT_NO_COMMAND_LINE, kNoCommandLineTop);
  if (state->noTimer != 0) count = AddLine(lines, count, KV_TEXT_NO_TIMER, kNoTimerTop);
  if (state->flagIsOn != 0) count = AddLine(lines, count, KV_TEXT_FLAG_ON, kFlagOnTop);
  return count;
}
