// The watcher's one state record and the constants of its poll. Portable: no platform
// header may be included here or anywhere in watcher/core.
#ifndef WATCHER_CORE_WATCHER_STATE_H
#define WATCHER_CORE_WATCHER_STATE_H

enum {
  kFlagFileNameSize = 256,
  kIniFileNameSize = 256,
  // Size handed to the profile read and to the dialog's field read: at most 63
  // characters and the terminator.
  kNameReadSize = 64,
  // The dialog's edit field accepts this many characters (one more than a read keeps).
  kNameFieldLimit = 64,
  kPollTimerId = 1,
  kPollIntervalMs = 10000
};

struct WatcherState {
  char flagFileName[kFlagFileNameSize];  // watched name, used unchanged; "" when none
  char iniFileName[kIniFileNameSize];    // INI path beside the program; "" when unknown
  int noCommandLine;                     // 1 when no flag name is configured
  int noTimer;                           // 1 once a poll timer request failed; never cleared
  int flagIsOn;                          // 1 from the tick that found the flag
  int windowOpen;                        // 1 while the program considers the window restored
  unsigned int timerId;                  // running poll timer, 0 when none runs
};

// Puts the record in its starting state: empty names, every flag 0, no timer.
void InitWatcherState(WatcherState *state);

#endif
