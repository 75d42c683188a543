// Loading and saving the watcher's flag name.
#include "watcher/config/configuration.h"

#include <string.h>

#include "watcher/core/watcher_constants.h"

static void ReadIniName(WatcherState *state, const ProfileOps *profile) {
  int length = profile->iniPath(profile->ctx, state->iniFileName, kIniFileNameSize);
  if (length <= 0 || length >= kIniFileNameSize) {
    state->iniFileName[0] = '\0';
    return;
  }
  profile->readString(profile->ctx, KV_INI_SECTION, KV_INI_KEY, "", state->flagFileName,
                      kNameReadSize, state->iniFileName);
  // Whatever the reader did, the name holds at most what a read of this size may give.
  state->flagFileName[kNameReadSize - 1] = '\0';
}

static void TakeCommandTail(WatcherState *state, const char *commandTail) {
  size_t length = strlen(commandTail);
  if (length == 0) return;
  if (length >= kFlagFileNameSize) {
    state->flagFileName[0] = '\0';
    return;
  }
  memcpy(state->flagFileName, commandTail, length + 1);
}

void LoadConfiguration(WatcherState *state, const ProfileOps *profile, const char *commandTail) {
  state->iniFileName[0] = '\0';
  state->flagFileName[0] = '\0';
  ReadIniName(state, profile);
  if (commandTail != 0) TakeCommandTail(state, commandTail);
  if (state->flagFileName[0] == '\0') state->noCommandLine = 1;
}

void SaveFlagName(const WatcherState *state, const ProfileOps *profile) {
  if (state->iniFileName[0] == '\0') return;
  profile->writeString(profile->ctx, KV_INI_SECTION, KV_INI_KEY, state->flagFileName,
                       state->iniFileName);
}
