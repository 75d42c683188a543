// The status lines chosen for the paint, for every combination of the three flags.
#include "watcher/core/status_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(int noCommandLine, int noTimer, int flagIsOn) {
  WatcherState state;
  InitWatcherState(&state);
  state.noCommandLine = noCommandLine;
  state.noTimer = noTimer;
  state.flagIsOn = flagIsOn;
  StatusLine lines[kMaxStatusLines];
  int count = GetStatusLines(&state, lines);
  std::vector<std::string> drawn;
  for (int i = 0; i < count; ++i)
    drawn.push_back(std::string(lines[i].text) + " @" + std::to_string(lines[i].x) + "," +
                    std::to_string(lines[i].y));
  return drawn;
}

using Drawn = std::vector<std::string>;
const std::string kNoName = "No Command Line Received @20,20";
const std::string kNoTimer = "No System Timer Available @20,30";
const std::string kFlagOn = "Flag is On... @20,40";

TEST(StatusLines, EachFlagDrawsItsOwnLineAtItsOwnPlace) {
  EXPECT_EQ(Lines(0, 0, 0), Drawn{});
  EXPECT_EQ(Lines(1, 0, 0), Drawn{kNoName});
  EXPECT_EQ(Lines(0, 1, 0), Drawn{kNoTimer});
  EXPECT_EQ(Lines(0, 0, 1), Drawn{kFlagOn});
}

TEST(StatusLines, LinesCombineTopToBottom) {
  EXPECT_EQ(Lines(1, 1, 0), (Drawn{kNoName, kNoTimer}));
  EXPECT_EQ(Lines(0, 1, 1), (Drawn{kNoTimer, kFlagOn}));
  EXPECT_EQ(Lines(1, 0, 1), (Drawn{kNoName, kFlagOn}));
  EXPECT_EQ(Lines(1, 1, 1), (Drawn{kNoName, kNoTimer, kFlagOn}));
}

}  // namespace
