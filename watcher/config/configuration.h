// Loading the flag name at start-up from the INI file and the command-line tail, and
// saving it back to the INI file. Portable: the front end's ProfileOps say where the
// INI file is.
#ifndef WATCHER_CONFIG_CONFIGURATION_H
#define WATCHER_CONFIG_CONFIGURATION_H

#include "watcher/config/profile_ops.h"
#include "watcher/core/watcher_state.h"

// Sets iniFileName, flagFileName and noCommandLine, in this order:
// 1. iniFileName is the front end's INI path (profile->iniPath); it stays "" when there
//    is none or it exceeds kIniFileNameSize - 1 characters, and then nothing is read.
// 2. flagFileName is read from section "Command", key "CommandLine" of that file, at
//    most kNameReadSize - 1 characters, "" when absent.
// 3. A non-empty commandTail replaces it whole, for this run only: nothing is written.
//    A tail of kFlagFileNameSize characters or more is refused, not cut: flagFileName
//    becomes "", so the window complains instead of silently watching another file.
// 4. noCommandLine becomes 1 when flagFileName is empty.
// commandTail may be null, meaning no tail.
void LoadConfiguration(WatcherState *state, const ProfileOps *profile, const char *commandTail);

// Writes flagFileName as "CommandLine" of section "Command" into iniFileName. With no
// INI path nothing is written, since an empty file name would send the write to a file
// in the system's folder. Failures are silent.
void SaveFlagName(const WatcherState *state, const ProfileOps *profile);

#endif
