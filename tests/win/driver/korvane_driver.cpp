// Drives a running Korvane from another process, the way a user and a batch job would:
// raises flags with QUELLARD.EXE, posts ticks and commands, works the dialogs, and checks
// what the window does and shows. Saves screenshots of the states it passes through.
//   korvane_driver.exe <Korvane.exe> <QUELLARD.EXE> <work folder> <screenshot folder>
//                      [scenario...]
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "tests/win/common/win_check.h"
#include "tests/win/driver/driver_scene.h"
#include "watcher/core/watcher_state.h"

struct Scenario {
  const char *name;
  void (*run)();
};

static const Scenario kScenarios[] = {
    {"signal", ScenarioSignalAndDelete},
    {"complaint", ScenarioComplaint},
    {"config", ScenarioIniAndTail},
    {"setflag", ScenarioSetFlag},
    {"about", ScenarioAbout},
    {"ending", ScenarioEnding},
    {"timer", ScenarioRealTimer},
    {"soak", ScenarioSoak},
    {"hostile", ScenarioHostile},
    {"creator", ScenarioCreatorLine},
};

// Scenes name their flags by absolute paths, up to this many characters below the work
// folder and its separator, and a flag name holds kNameReadSize - 1 characters.
static const size_t kSceneNameMax = 30;
static const size_t kWorkDirMax = kNameReadSize - 1 - kSceneNameMax - 1;

int main(int argc, char **argv) {
  // Copied as QUELLARD.EXE, the driver stands in for a creator whose close failed, so
  // the batch examples can be run against status -1.
  char self[MAX_PATH];
  DWORD length = GetModuleFileNameA(NULL, self, MAX_PATH);
  if (length >= 12 && lstrcmpiA(self + length - 12, "QUELLARD.EXE") == 0) return -1;
  if (argc < 5) {
    printf("usage: %s <Korvane.exe> <QUELLARD.EXE> <work folder> <screenshots> [scenario...]\n",
           argv[0]);
    return 2;
  }
  g_korvaneExe = argv[1];
  g_quellardExe = argv[2];
  g_workDir = argv[3];
  g_shotDir = argv[4];
  if (strlen(g_workDir) > kWorkDirMax) {
    printf("work folder \"%s\" is over %d characters: the scenes' flag names would not fit\n",
           g_workDir, static_cast<int>(kWorkDirMax));
    return 2;
  }
  CreateDirectoryA(g_workDir, NULL);
  CreateDirectoryA(g_shotDir, NULL);
  for (const Scenario &s : kScenarios) {
    // With no list, every scenario but the soak, which runs only when asked for.
    int wanted = argc == 5 && strcmp(s.name, "soak") != 0;
    for (int i = 5; i < argc; ++i) wanted |= strcmp(argv[i], s.name) == 0;
    if (!wanted) continue;
    int failedBefore = g_checksFailed;
    DWORD start = GetTickCount();
    s.run();
    printf("scenario %-10s %s (%lu ms)\n", s.name, g_checksFailed == failedBefore ? "ok" : "FAILED",
           static_cast<unsigned long>(GetTickCount() - start));
    fflush(stdout);
  }
  return WinCheckSummary();
}
