// Korvane given hostile input: a command-line tail too long for a name, a flag name that
// names a folder, an INI value far beyond what a name may hold, and a program folder
// whose path is longer than 127 characters.
#include <stdio.h>
#include <string.h>

#include "tests/win/common/win_check.h"
#include "tests/win/driver/driver_scene.h"
#include "watcher/core/watcher_constants.h"
#include "watcher/core/watcher_state.h"
#include "watcher/resources/resource.h"

// A tail longer than a name can be is refused rather than cut, so the window complains
// instead of watching another file.
static void TooLongTail() {
  Scene s;
  char tail[301];
  PrepareScene(&s, "long-tail", NULL);
  memset(tail, 'T', 300);
  tail[300] = '\0';
  if (!Launch(&s, tail)) return;
  CHECK(WaitUntil(ShowsNoCommandLine, s.korvane.window, kWaitMs));
  CHECK(!IsIconic(s.korvane.window));
  Post(&s, WM_COMMAND, IDM_EXIT);
  ExpectEnds(&s, "Exit");
}

// A folder of the flag's name is not the flag.
static void FolderAsFlag() {
  Scene s;
  PrepareScene(&s, "folder-flag", NULL);
  CHECK(CreateDirectoryA(s.flag, NULL));
  if (!Launch(&s, s.flag)) return;
  ExpectWaiting(&s);
  Tick(&s);
  Settle(1000);
  CHECK(IsIconic(s.korvane.window));
  Post(&s, WM_COMMAND, IDM_EXIT);
  ExpectEnds(&s, "Exit");
  RemoveDirectoryA(s.flag);
}

// A 1,000-character INI value gives its first 63 characters as the name.
static void HugeIniValue() {
  Scene s;
  char value[1001], ini[1100], flag[MAX_PATH];
  PrepareScene(&s, "huge-ini", NULL);
  memset(value, 'v', 1000);
  value[1000] = '\0';
  snprintf(ini, sizeof ini, "[Command]\r\nCommandLine=%s\r\n", value);
  CHECK(WriteTextFile(s.ini, ini));
  if (!Launch(&s, NULL)) return;
  ExpectWaiting(&s);
  value[kNameReadSize - 1] = '\0';
  ScenePath(&s, value, flag);  // Korvane runs in the scene folder: the name is relative
  RaiseFlag(&s, flag);
  Tick(&s);
  ExpectSignalling(&s);
  Post(&s, WM_COMMAND, IDM_EXIT);
  ExpectEnds(&s, "Exit");
}

// From a folder whose path is longer than 127 characters, the INI file beside the
// program is still the one read.
static void LongProgramFolder() {
  Scene s;
  char name[160], ini[600];
  snprintf(name, sizeof name, "a folder with a long name%0130d", 0);
  PrepareScene(&s, name, NULL);
  CHECK(strlen(s.exe) > 127);
  // A name read from the INI file holds at most 63 characters: a relative one, since
  // Korvane runs in its folder.
  snprintf(ini, sizeof ini, "[Command]\r\nCommandLine=JOB.FLG\r\n");
  CHECK(WriteTextFile(s.ini, ini));
  if (!Launch(&s, NULL)) return;
  ExpectWaiting(&s);
  RaiseFlag(&s, s.flag);
  Tick(&s);
  ExpectSignalling(&s);
  Post(&s, WM_COMMAND, IDM_EXIT);
  ExpectEnds(&s, "Exit");
}

void ScenarioHostile() {
  TooLongTail();
  FolderAsFlag();
  HugeIniValue();
  LongProgramFolder();
}
