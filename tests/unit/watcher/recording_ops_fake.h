// A fake of WatcherOps that records, in order, the operations the rules perform, and
// models just enough of the world for the rules to act on: a set of existing files, a
// window that is minimized or not, timers that start or are refused on cue, and dialogs
// scripted by the test.
#ifndef TESTS_UNIT_WATCHER_RECORDING_OPS_FAKE_H
#define TESTS_UNIT_WATCHER_RECORDING_OPS_FAKE_H

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "watcher/core/watcher_ops.h"
#include "watcher/core/watcher_state.h"

struct RecordingOps {
  // The state the sent minimize request is applied to, re-entering the rules the way
  // SendMessageA re-enters the window procedure.
  WatcherState *state = nullptr;

  // One entry per operation, e.g. "minimize", "stopTimer 7", "probeOpen C:\F.FLG".
  // Queries (isMinimized) are not logged. sendMinimizeRequest logs "send minimize {"
  // before and "}" after the rule it runs.
  std::vector<std::string> log;

  std::set<std::string> files;  // names that probe finds and delete removes
  int openProbes = 0;           // tokens handed out and not yet closed
  int minimized = 0;            // the window as the system sees it

  // startTimer results in order; once empty, every start succeeds with nextTimerId.
  std::deque<unsigned int> timerResults;
  unsigned int nextTimerId = 7;
  std::set<unsigned int> runningTimers;

  // The Set Flag File dialog: receives the state, may change it, returns the result.
  // Unset, it behaves as a cancel with the field left alone.
  std::function<int(WatcherState *)> setFlagDialog;
  // Runs inside the About dialog, e.g. a tick arriving while it is up.
  std::function<void()> aboutDialog;

  WatcherOps ops;

  RecordingOps();
  RecordingOps(const RecordingOps &) = delete;
  RecordingOps &operator=(const RecordingOps &) = delete;

  // Drops the log, keeping the modelled world.
  void ClearLog() { log.clear(); }
};

#endif
