// The driver's scenarios: each starts Korvane in a scene of its own and takes it through
// one group of behaviours a user relies on.
#include <stdio.h>
#include <string.h>

#include "tests/win/common/win_check.h"
#include "tests/win/driver/driver_scene.h"
#include "watcher/core/watcher_constants.h"
#include "watcher/core/watcher_state.h"
#include "watcher/resources/resource.h"

// A flag raised by QUELLARD.EXE is found by the next tick; Delete Flag removes it and
// sends the window back to waiting; a second Delete Flag complains and changes nothing.
void ScenarioSignalAndDelete() {
  Scene s;
  PrepareScene(&s, "signal", NULL);
  if (!Launch(&s, s.flag)) return;
  ExpectWaiting(&s);
  Screenshot(NULL, "waiting");
  Tick(&s);
  Settle(500);
  CHECK(IsIconic(s.korvane.window));  // no flag yet: the tick changes nothing
  RaiseFlag(&s, s.flag);
  Tick(&s);
  ExpectSignalling(&s);
  Screenshot(s.korvane.window, "signalling");

  Post(&s, WM_COMMAND, IDM_DELETEFLAG);
  ExpectWaiting(&s);
  CHECK(!FileExists(s.flag));

  // Signalling again, then the flag vanishes behind the watcher's back.
  RaiseFlag(&s, s.flag);
  Tick(&s);
  ExpectSignalling(&s);
  DeleteFileA(s.flag);
  Post(&s, WM_COMMAND, IDM_DELETEFLAG);
  HWND box = WaitForDialog(&s, KV_CAPTION_ERROR);
  if (box != NULL) {
    CHECK(HasStaticText(box, KV_TEXT_CANT_DELETE));
    Screenshot(box, "delete-error");
    CHECK(!IsIconic(s.korvane.window));
    CHECK(IsTopmost(s.korvane.window));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    CHECK(WaitUntil(Gone, box, kWaitMs));
  }
  CHECK(WaitUntil(ShowsFlagOn, s.korvane.window, kWaitMs));

  // Minimizing while the flag is up brings the window back at the next tick.
  RaiseFlag(&s, s.flag);
  Post(&s, WM_SYSCOMMAND, SC_MINIMIZE);
  ExpectWaiting(&s);
  Tick(&s);
  ExpectSignalling(&s);
  Post(&s, WM_COMMAND, IDM_EXIT);
  ExpectEnds(&s, "Exit");
}

// No name anywhere: the window stays open with its complaint, and minimizing only
// repaints it.
void ScenarioComplaint() {
  Scene s;
  PrepareScene(&s, "complaint", NULL);
  if (!Launch(&s, NULL)) return;
  HWND w = s.korvane.window;
  CHECK(WaitUntil(ShowsNoCommandLine, w, kWaitMs));
  CHECK(!IsIconic(w));
  // The lines stand 10 apart whatever the font, so a large font's first line reaches
  // into the third line's top; below that nothing may be drawn.
  CHECK_INT(DarkPixelsInBand(w, kFlagOnTop + 10, 10), 0);
  Screenshot(w, "complaint");
  Post(&s, WM_SYSCOMMAND, SC_MINIMIZE);
  Tick(&s);
  Settle(1000);
  CHECK(!IsIconic(w));
  CHECK(ShowsNoCommandLine(w));
  Post(&s, WM_CLOSE, 0);
  ExpectEnds(&s, "WM_CLOSE");
}

// The INI file names the flag; a command-line tail overrides it for the run without
// changing the file.
void ScenarioIniAndTail() {
  Scene s;
  char fromIni[MAX_PATH], fromTail[MAX_PATH], iniText[600], after[600];
  PrepareScene(&s, "config", NULL);
  ScenePath(&s, "FROM INI.FLG", fromIni);
  ScenePath(&s, "FROM TAIL.FLG", fromTail);
  snprintf(iniText, sizeof iniText, "[Command]\r\nCommandLine=%s\r\n", fromIni);
  CHECK(WriteTextFile(s.ini, iniText));

  if (!Launch(&s, fromTail)) return;  // a name with a blank needs no quotes
  ExpectWaiting(&s);
  RaiseFlag(&s, fromIni);
  Tick(&s);
  Settle(1000);
  CHECK(IsIconic(s.korvane.window));
  RaiseFlag(&s, fromTail);
  Tick(&s);
  ExpectSignalling(&s);
  Post(&s, WM_SYSCOMMAND, SC_CLOSE);
  ExpectEnds(&s, "SC_CLOSE");
  CHECK(ReadTextFile(s.ini, after, sizeof after));
  CHECK_TEXT(after, iniText);

  if (!Launch(&s, NULL)) return;
  ExpectWaiting(&s);
  Tick(&s);
  ExpectSignalling(&s);
  Post(&s, WM_COMMAND, IDM_EXIT);
  ExpectEnds(&s, "Exit");
}

static HWND OpenSetFlag(const Scene *s) {
  Post(s, WM_COMMAND, IDM_SETFLAG);
  return WaitForDialog(s, kSetFlagTitle);
}

static void IniValue(const Scene *s, char *value, int size) {
  GetPrivateProfileStringA(KV_INI_SECTION, KV_INI_KEY, "", value, static_cast<DWORD>(size), s->ini);
}

// The dialog's controls as the user sees them, the current name in the field with the
// focus, and the 64-character limit of the field.
static void CheckSetFlagLayout(HWND dialog, const char *current) {
  static const struct {
    int id;
    const char *text;
  } kControls[] = {{IDOK, "OK"},
                   {IDCANCEL, "Cancel"},
                   {IDC_PROMPT, "Enter The Flag File Name"},
                   {IDC_DRIVE_LABEL, "Drive"},
                   {IDC_PATH_LABEL, "Path"},
                   {IDC_FILENAME_LABEL, "Filename"},
                   {IDC_EXTENSION_LABEL, "Extention"}};
  char text[300];
  for (const auto &c : kControls) {
    GetWindowTextA(GetDlgItem(dialog, c.id), text, sizeof text);
    CHECK_TEXT(text, c.text);
  }
  HWND field = GetDlgItem(dialog, IDC_FLAGNAME);
  TextOf(field, text, sizeof text);
  CHECK_TEXT(text, current);
  CHECK(FocusOf(dialog) == field);
  DWORD_PTR limit = 0;
  SendMessageTimeoutA(field, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 5000, &limit);
  CHECK_INT(limit, kNameFieldLimit);
}

static void SetField(HWND dialog, const char *text) {
  DWORD_PTR r;
  SendMessageTimeoutA(GetDlgItem(dialog, IDC_FLAGNAME), WM_SETTEXT, 0,
                      reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &r);
}

// Cancel and Enter keep the old name; OK makes the new one watched and saved and sends
// the window to waiting; typing beyond the limit keeps 64, and OK keeps 63; OK on an
// empty field stays open and never loses the configured name.
void ScenarioSetFlag() {
  Scene s;
  char newFlag[MAX_PATH], value[300];
  PrepareScene(&s, "setflag", NULL);
  ScenePath(&s, "NEW.FLG", newFlag);
  if (!Launch(&s, s.flag)) return;
  ExpectWaiting(&s);

  HWND dialog = OpenSetFlag(&s);
  if (dialog == NULL) return;
  CheckSetFlagLayout(dialog, s.flag);
  Screenshot(NULL, "setflag");
  SetField(dialog, newFlag);
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  CHECK(WaitUntil(Gone, dialog, kWaitMs));
  CHECK(!FileExists(s.ini));
  RaiseFlag(&s, s.flag);
  Tick(&s);
  ExpectSignalling(&s);  // still the old name

  dialog = OpenSetFlag(&s);
  if (dialog == NULL) return;
  SetField(dialog, newFlag);
  PostMessageA(GetDlgItem(dialog, IDC_FLAGNAME), WM_KEYDOWN, VK_RETURN, 0);
  CHECK(WaitUntil(Gone, dialog, kWaitMs));  // Enter presses the default button, Cancel
  CHECK(!FileExists(s.ini));

  dialog = OpenSetFlag(&s);
  if (dialog == NULL) return;
  SetField(dialog, newFlag);
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  CHECK(WaitUntil(Gone, dialog, kWaitMs));
  ExpectWaiting(&s);
  IniValue(&s, value, sizeof value);
  CHECK_TEXT(value, newFlag);
  RaiseFlag(&s, newFlag);
  Tick(&s);
  ExpectSignalling(&s);

  dialog = OpenSetFlag(&s);
  if (dialog == NULL) return;
  SetField(dialog, "");
  for (int i = 0; i < 70; ++i) PostMessageA(GetDlgItem(dialog, IDC_FLAGNAME), WM_CHAR, 'x', 0);
  Settle(1000);
  TextOf(GetDlgItem(dialog, IDC_FLAGNAME), value, sizeof value);
  CHECK_INT(strlen(value), kNameFieldLimit);
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  CHECK(WaitUntil(Gone, dialog, kWaitMs));
  IniValue(&s, value, sizeof value);
  CHECK_INT(strlen(value), kNameReadSize - 1);

  dialog = OpenSetFlag(&s);
  if (dialog == NULL) return;
  SetField(dialog, "");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  Settle(1000);
  CHECK(IsWindow(dialog));  // an empty name is not accepted
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  CHECK(WaitUntil(Gone, dialog, kWaitMs));
  // The 63-character name is still the watched one, and nothing complains.
  char longFlag[MAX_PATH];
  ScenePath(&s, value, longFlag);
  RaiseFlag(&s, longFlag);
  Tick(&s);
  ExpectSignalling(&s);
  Post(&s, WM_COMMAND, IDM_EXIT);
  ExpectEnds(&s, "Exit");
}

// About opens from the File menu and from the system menu, ignores Escape and closes
// with OK; ticks go on while it is up, so a flag still pops the window up.
void ScenarioAbout() {
  Scene s;
  PrepareScene(&s, "about", NULL);
  if (!Launch(&s, s.flag)) return;
  ExpectWaiting(&s);
  const UINT openers[2][2] = {{WM_COMMAND, IDM_ABOUT}, {WM_SYSCOMMAND, IDM_SYSABOUT}};
  for (const auto &opener : openers) {
    Post(&s, opener[0], opener[1]);
    HWND about = WaitForDialog(&s, kAboutTitle);
    if (about == NULL) return;
    CHECK(HasStaticText(about, KV_WINDOW_TITLE));
    CHECK(HasStaticText(about, "Version 1.3  - Win32"));
    PostMessageA(about, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
    Settle(1000);
    CHECK(IsWindow(about));
    if (opener[0] == WM_COMMAND) {
      Screenshot(NULL, "about");
      RaiseFlag(&s, s.flag);
      Tick(&s);
      CHECK(WaitUntil(Restored, s.korvane.window, kWaitMs));
      CHECK(IsTopmost(s.korvane.window));
      CHECK(IsWindow(about));
    }
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    CHECK(WaitUntil(Gone, about, kWaitMs));
  }
  Post(&s, WM_COMMAND, IDM_EXIT);
  ExpectEnds(&s, "Exit");
}

// Every way of ending quits the program with status 0: Exit while signalling, the end
// of the session, and WM_DESTROY.
void ScenarioEnding() {
  Scene s;
  PrepareScene(&s, "ending", NULL);
  if (!Launch(&s, s.flag)) return;
  ExpectWaiting(&s);
  DWORD_PTR agreed = 0;
  SendMessageTimeoutA(s.korvane.window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &agreed);
  CHECK_INT(agreed, 1);
  Post(&s, WM_ENDSESSION, 0);  // the session goes on after all
  Settle(1000);
  CHECK(WaitForExit(&s.korvane, 0) == -1);
  Post(&s, WM_ENDSESSION, 1);
  ExpectEnds(&s, "WM_ENDSESSION");
}

// The real poll timer: a flag raised while waiting is found within one interval.
void ScenarioRealTimer() {
  Scene s;
  PrepareScene(&s, "timer", NULL);
  if (!Launch(&s, s.flag)) return;
  ExpectWaiting(&s);
  printf("Korvane is waiting, minimized, for %s\n", s.flag);
  Screenshot(NULL, "timer-waiting");
  RaiseFlag(&s, s.flag);
  DWORD raised = GetTickCount();
  printf("QUELLARD.EXE raised the flag\n");
  CHECK(WaitUntil(ShowsFlagOn, s.korvane.window, kPollIntervalMs + 5000));
  DWORD found = GetTickCount() - raised;
  printf("flag found %lu ms after it was raised: window restored, topmost, \"Flag is On...\"\n",
         static_cast<unsigned long>(found));
  CHECK(found <= kPollIntervalMs + 1500);
  CHECK(IsTopmost(s.korvane.window));
  Screenshot(NULL, "timer-flag-on");
  Post(&s, WM_COMMAND, IDM_EXIT);
  ExpectEnds(&s, "Exit");
}

// QUELLARD.EXE given raw command lines, as a batch file or CreateProcess passes them:
// the names it creates show how it split them, whatever Wine's runtime would have done.
void ScenarioCreatorLine() {
  static const struct {
    const char *tail;
    long status;
    const char *created[3];
  } kRows[] = {
      {"\"one two\"\tthree", 0, {"one two", "three"}},
      {"\"x\"\"y z", 0, {"z"}},  // x"y cannot be created; the stretch ended after it
      {"sub\\\\\"b c\"", 0, {"sub\\b c"}},
      {"\"\" four", 0, {"four"}},
      {"five \"\"", 2, {"five"}},
  };
  char dir[MAX_PATH], path[MAX_PATH], line[600];
  snprintf(dir, sizeof dir, "%s\\creator", g_workDir);
  CreateDirectoryA(dir, NULL);
  snprintf(path, sizeof path, "%s\\sub", dir);
  CreateDirectoryA(path, NULL);
  for (const auto &row : kRows) {
    snprintf(line, sizeof line, "\"%s\" %s", g_quellardExe, row.tail);
    if (!CHECK_INT(RunToEnd(line, dir), row.status)) printf("  for %s\n", line);
    for (const char *name : row.created) {
      if (name == NULL) continue;
      snprintf(path, sizeof path, "%s\\%s", dir, name);
      if (!CHECK(FileExists(path))) printf("  %s not created by %s\n", name, line);
      DeleteFileA(path);
    }
  }
}
