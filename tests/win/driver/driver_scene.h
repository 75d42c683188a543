// The vocabulary of the driver's scenarios: a scene is one run of Korvane in a folder
// of its own (so its INI file is its own too), with the actions a user or a batch job
// takes on it and the states it is expected to reach.
#ifndef TESTS_WIN_DRIVER_DRIVER_SCENE_H
#define TESTS_WIN_DRIVER_DRIVER_SCENE_H

#include <windows.h>

#include "tests/win/common/win_files.h"
#include "tests/win/driver/driver_support.h"

extern const char *g_korvaneExe;
extern const char *g_quellardExe;
extern const char *g_workDir;
extern const char *g_shotDir;

// Generous: under emulation a start or a repaint can take seconds.
static const DWORD kWaitMs = 15000;
static const char kSetFlagTitle[] = "Set  Flag  File";
static const char kAboutTitle[] = "About   Korvane";

struct Scene {
  char dir[MAX_PATH];
  char exe[MAX_PATH];   // the scene's copy of Korvane.exe
  char ini[MAX_PATH];   // Korvane.INI beside it
  char flag[MAX_PATH];  // JOB.FLG in the folder
  Program korvane;
};

// dir\name into out (MAX_PATH).
void ScenePath(const Scene *scene, const char *name, char *out);
// A fresh folder with a copy of Korvane.exe, and its INI file holding iniText (NULL: none).
void PrepareScene(Scene *scene, const char *name, const char *iniText);
// Starts Korvane with the command-line tail (NULL: none) and finds its window.
int Launch(Scene *scene, const char *tail);
// Posts a message to Korvane's main window.
void Post(const Scene *scene, UINT message, WPARAM wParam);
// A poll tick: the poll does not look at the tick's timer identifier, so it is a real one.
void Tick(const Scene *scene);
// Runs QUELLARD.EXE on flag and checks that it created it.
int RaiseFlag(const Scene *scene, const char *flag);
// Saves the screen around window (NULL: the whole screen) as <screenshots>\name.bmp.
void Screenshot(HWND window, const char *name);

// Conditions on a window (ctx), for WaitUntil.
int Minimized(void *ctx);
int Restored(void *ctx);
int ShowsFlagOn(void *ctx);
int ShowsNoCommandLine(void *ctx);
int Gone(void *ctx);
// The window has its thread's keyboard focus (the system may set it a moment later).
int Focused(void *ctx);

// Minimized. (Still topmost: losing the focus to the minimize raises it again.)
void ExpectWaiting(const Scene *scene);
// Restored, topmost, focused, painting "Flag is On..." on the grey background.
void ExpectSignalling(const Scene *scene);
// The process ends with status 0; how names the cause in a failure message.
void ExpectEnds(Scene *scene, const char *how);
// Finds the dialog of the given title that Korvane shows.
HWND WaitForDialog(const Scene *scene, const char *title);
// Whether one of the box's child windows shows exactly text.
int HasStaticText(HWND box, const char *text);

// The scenarios, one per group of behaviours.
void ScenarioSignalAndDelete();
void ScenarioComplaint();
void ScenarioIniAndTail();
void ScenarioSetFlag();
void ScenarioAbout();
void ScenarioEnding();
void ScenarioRealTimer();
void ScenarioSoak();
void ScenarioHostile();
void ScenarioCreatorLine();

#endif
