// The driver's scenes: one run of Korvane in a folder of its own, and the actions and
// expectations the scenarios are written with.
#include "tests/win/driver/driver_scene.h"

#include <stdio.h>
#include <string.h>

#include "tests/win/common/win_check.h"
#include "watcher/core/watcher_constants.h"
#include "watcher/core/watcher_state.h"

const char *g_korvaneExe;
const char *g_quellardExe;
const char *g_workDir;
const char *g_shotDir;

void ScenePath(const Scene *scene, const char *name, char *out) {
  snprintf(out, MAX_PATH, "%s\\%s", scene->dir, name);
}

void PrepareScene(Scene *scene, const char *name, const char *iniText) {
  memset(scene, 0, sizeof *scene);
  snprintf(scene->dir, MAX_PATH, "%s\\%s", g_workDir, name);
  CreateDirectoryA(scene->dir, NULL);
  ScenePath(scene, "Korvane.exe", scene->exe);
  ScenePath(scene, "Korvane.INI", scene->ini);
  ScenePath(scene, "JOB.FLG", scene->flag);
  CHECK(CopyFileA(g_korvaneExe, scene->exe, FALSE));
  DeleteFileA(scene->ini);
  DeleteFileA(scene->flag);
  if (iniText != NULL) CHECK(WriteTextFile(scene->ini, iniText));
}

// A window of one process, for WaitUntil: found is set once it exists.
struct WindowSearch {
  DWORD pid;
  const char *className;
  const char *title;
  HWND found;
};

static int FoundWindow(void *ctx) {
  WindowSearch *search = static_cast<WindowSearch *>(ctx);
  search->found = FindProcessWindow(search->pid, search->className, search->title);
  return search->found != NULL;
}

// Starts Korvane with the tail (NULL: none) and finds its window.
int Launch(Scene *scene, const char *tail) {
  char line[1024];
  if (tail != NULL)
    snprintf(line, sizeof line, "\"%s\" %s", scene->exe, tail);
  else
    snprintf(line, sizeof line, "\"%s\"", scene->exe);
  if (!CHECK(StartProgram(line, scene->dir, &scene->korvane))) return 0;
  WindowSearch search = {scene->korvane.info.dwProcessId, KV_WINDOW_CLASS, KV_WINDOW_TITLE, NULL};
  WaitUntil(FoundWindow, &search, kWaitMs);
  scene->korvane.window = search.found;
  return CHECK(scene->korvane.window != NULL);
}

void Post(const Scene *scene, UINT message, WPARAM wParam) {
  PostMessageA(scene->korvane.window, message, wParam, 0);
}

// The poll does not look at the tick's timer identifier, so a posted tick is a real one.
void Tick(const Scene *scene) { Post(scene, WM_TIMER, kPollTimerId); }

int RaiseFlag(const Scene *scene, const char *flag) {
  char line[1024];
  snprintf(line, sizeof line, "\"%s\" \"%s\"", g_quellardExe, flag);
  return CHECK_INT(RunToEnd(line, scene->dir), 0);
}

void Screenshot(HWND window, const char *name) {
  Settle(1000);  // a window that just appeared may not have painted yet
  char path[MAX_PATH];
  snprintf(path, sizeof path, "%s\\%s.bmp", g_shotDir, name);
  CHECK(SaveScreenshot(window, path));
}

int Minimized(void *ctx) { return IsIconic(static_cast<HWND>(ctx)); }
int Restored(void *ctx) { return !IsIconic(static_cast<HWND>(ctx)); }
int ShowsFlagOn(void *ctx) {
  HWND window = static_cast<HWND>(ctx);
  return !IsIconic(window) && DarkPixelsInBand(window, kFlagOnTop, 10) > 20;
}
int ShowsNoCommandLine(void *ctx) {
  return DarkPixelsInBand(static_cast<HWND>(ctx), kNoCommandLineTop, 10) > 20;
}
int Focused(void *ctx) { return HasKeyboardFocus(static_cast<HWND>(ctx)); }
int Gone(void *ctx) { return !IsWindow(static_cast<HWND>(ctx)); }

void ExpectWaiting(const Scene *scene) {
  HWND w = scene->korvane.window;
  CHECK(WaitUntil(Minimized, w, kWaitMs));
}

// Restored, topmost, focused and painting "Flag is On..." on the grey background.
void ExpectSignalling(const Scene *scene) {
  HWND w = scene->korvane.window;
  CHECK(WaitUntil(ShowsFlagOn, w, kWaitMs));
  CHECK(IsTopmost(w));
  CHECK(WaitUntil(Focused, w, kWaitMs));
  CHECK_INT(ClientPixel(w, 5, 5), RGB(kBackgroundGrey, kBackgroundGrey, kBackgroundGrey));
  CHECK_INT(DarkPixelsInBand(w, kNoCommandLineTop, 10), 0);
}

void ExpectEnds(Scene *scene, const char *how) {
  long code = WaitForExit(&scene->korvane, kWaitMs);
  if (!CHECK_INT(code, 0)) printf("  after %s\n", how);
  StopProgram(&scene->korvane);
}

HWND WaitForDialog(const Scene *scene, const char *title) {
  WindowSearch search = {scene->korvane.info.dwProcessId, "#32770", title, NULL};
  WaitUntil(FoundWindow, &search, kWaitMs);
  if (!CHECK(search.found != NULL)) printf("  no dialog \"%s\"\n", title);
  return search.found;
}

int HasStaticText(HWND box, const char *text) {
  char got[256];
  for (HWND child = GetWindow(box, GW_CHILD); child != NULL;
       child = GetWindow(child, GW_HWNDNEXT)) {
    GetWindowTextA(child, got, sizeof got);
    if (strcmp(got, text) == 0) return 1;
  }
  return 0;
}
