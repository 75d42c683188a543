// Runs the Set Flag File and About dialogs in this process, over a main window made by
// the window's own set-up code, and drives them from a timer that fires inside their
// modal loops: what they show on opening, where they stand, the field's limit, and what
// OK, Cancel, Enter and Escape do to the result and the state.
#include "watcher/ui/dialogs.h"

#include <windows.h>

#include "tests/win/common/win_check.h"
#include "watcher/core/watcher_state.h"
#include "watcher/resources/resource.h"
#include "watcher/ui/kv_process.h"
#include "watcher/ui/main_window.h"

enum { kScriptTickMs = 30, kScriptGiveUpTicks = 300, kTimedOut = 77 };

// One step of a scripted dialog run, called on each tick with the open dialog; the
// script ends the dialog itself, through the dialog's own controls.
typedef void (*DialogStep)(HWND dialog, int tick);

struct DialogScript {
  const char *caption;
  DialogStep step;
  int tick;
  int timedOut;
};

static DialogScript g_script;
static HWND g_owner;

static void CALLBACK ScriptTimer(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = FindWindowA("#32770", g_script.caption);
  if (dialog == NULL) return;
  if (g_script.tick >= kScriptGiveUpTicks) {
    g_script.timedOut = 1;
    EndDialog(dialog, kTimedOut);
    return;
  }
  g_script.step(dialog, g_script.tick++);
}

static void StartScript(const char *caption, DialogStep step) {
  g_script.caption = caption;
  g_script.step = step;
  g_script.tick = 0;
  g_script.timedOut = 0;
}

static int RunSetFlagScripted(DialogStep step) {
  StartScript(KV_SETFLAG_CAPTION, step);
  UINT_PTR timer = SetTimer(NULL, 0, kScriptTickMs, ScriptTimer);
  int result = RunSetFlagDialog(g_kv.target.instance, g_owner, &g_kv.state);
  KillTimer(NULL, timer);
  CHECK(!g_script.timedOut);
  return result;
}

static void SetConfigured(const char *name) {
  lstrcpynA(g_kv.state.flagFileName, name, kFlagFileNameSize);
  g_kv.state.noCommandLine = name[0] == '\0' ? 1 : 0;
}

static void CheckCentredOverOwner(HWND dialog) {
  RECT d;
  RECT o;
  GetWindowRect(dialog, &d);
  GetWindowRect(g_owner, &o);
  CHECK_INT(d.left, o.left + ((o.right - o.left) - (d.right - d.left)) / 2);
  CHECK_INT(d.top, o.top + ((o.bottom - o.top) - (d.bottom - d.top)) / 2);
}

static void Press(HWND control, int key) {
  PostMessageA(control, WM_KEYDOWN, key, 0);
  PostMessageA(control, WM_KEYUP, key, 0xC0000000);
}

// ---- Set Flag File ------------------------------------------------------------------

// On opening: the current name in the field, the focus in it, the limit, the placement.
// Then a new name and Cancel.
static void OpenThenCancelStep(HWND dialog, int) {
  HWND edit = GetDlgItem(dialog, IDC_FLAGNAME);
  char text[kFlagFileNameSize];
  GetWindowTextA(edit, text, sizeof text);
  CHECK_TEXT(text, "C:\\FLAGS\\OLD.FLG");
  CHECK(GetFocus() == edit);
  CHECK_INT(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), kNameFieldLimit);
  CHECK(!IsWindowEnabled(g_owner));
  CheckCentredOverOwner(dialog);
  SetWindowTextA(edit, "C:\\FLAGS\\NEW.FLG");
  SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

static void CheckOpenAndCancel() {
  printf("set flag: open, then cancel a new name\n");
  SetConfigured("C:\\FLAGS\\OLD.FLG");
  CHECK_INT(RunSetFlagScripted(OpenThenCancelStep), 0);
  CHECK_TEXT(g_kv.state.flagFileName, "C:\\FLAGS\\OLD.FLG");
  CHECK_INT(g_kv.state.noCommandLine, 0);
}

// Typed one key at a time, so the field's own limit applies.
static void TypeSeventyThenOkStep(HWND dialog, int) {
  HWND edit = GetDlgItem(dialog, IDC_FLAGNAME);
  SetWindowTextA(edit, "");
  for (int i = 0; i < 70; ++i) SendMessageA(edit, WM_CHAR, 'A' + i % 26, 0);
  CHECK_INT(GetWindowTextLengthA(edit), kNameFieldLimit);
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
}

static void CheckLongNameOk() {
  printf("set flag: 70 keys typed, OK keeps 63\n");
  SetConfigured("");
  CHECK_INT(RunSetFlagScripted(TypeSeventyThenOkStep), 1);
  CHECK_INT(lstrlenA(g_kv.state.flagFileName), kNameReadSize - 1);
  CHECK(memcmp(g_kv.state.flagFileName, "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJ", 36) == 0);
  CHECK_INT(g_kv.state.noCommandLine, 0);
}

// OK on an empty field leaves the dialog open with the focus back in the field.
static void EmptyOkThenCancelStep(HWND dialog, int tick) {
  HWND edit = GetDlgItem(dialog, IDC_FLAGNAME);
  if (tick == 0) {
    SetWindowTextA(edit, "");
    SetFocus(GetDlgItem(dialog, IDOK));
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    return;
  }
  CHECK(IsWindowVisible(dialog));
  CHECK(GetFocus() == edit);
  SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

static void CheckEmptyOk() {
  printf("set flag: empty OK stays open and keeps the name\n");
  SetConfigured("JOB.FLG");
  CHECK_INT(RunSetFlagScripted(EmptyOkThenCancelStep), 0);
  CHECK_TEXT(g_kv.state.flagFileName, "JOB.FLG");
  CHECK_INT(g_kv.state.noCommandLine, 0);

  printf("set flag: with no name, cancel leaves the complaint\n");
  SetConfigured("");
  g_kv.state.noCommandLine = 0;
  CHECK_INT(RunSetFlagScripted(EmptyOkThenCancelStep), 0);
  CHECK_TEXT(g_kv.state.flagFileName, "");
  CHECK_INT(g_kv.state.noCommandLine, 1);
}

// Enter in the field presses the default button, which is Cancel.
static void EnterInFieldStep(HWND dialog, int tick) {
  HWND edit = GetDlgItem(dialog, IDC_FLAGNAME);
  if (tick == 0) {
    SetWindowTextA(edit, "TYPED.FLG");
    Press(edit, VK_RETURN);
  }
}

static void CheckEnterCancels() {
  printf("set flag: Enter in the field cancels\n");
  SetConfigured("KEPT.FLG");
  CHECK_INT(RunSetFlagScripted(EnterInFieldStep), 0);
  CHECK_TEXT(g_kv.state.flagFileName, "KEPT.FLG");
}

static void ConfirmStep(HWND dialog, int) {
  SetWindowTextA(GetDlgItem(dialog, IDC_FLAGNAME), "D:\\NEW DIR\\NEW.FLG ");
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
}

static void CheckConfirm() {
  printf("set flag: OK with a name\n");
  SetConfigured("");
  CHECK_INT(RunSetFlagScripted(ConfirmStep), 1);
  CHECK_TEXT(g_kv.state.flagFileName, "D:\\NEW DIR\\NEW.FLG ");
  CHECK_INT(g_kv.state.noCommandLine, 0);
}

// ---- About --------------------------------------------------------------------------

// Escape (IDCANCEL) leaves the dialog open; a command other than OK does nothing; Enter
// presses OK, the default button.
static void AboutStep(HWND dialog, int tick) {
  if (tick == 0) {
    CheckCentredOverOwner(dialog);
    CHECK(SendDlgItemMessageA(dialog, IDC_ABOUT_ICON, STM_GETICON, 0, 0) != 0);
    Press(GetFocus(), VK_ESCAPE);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  if (tick == 5) {
    CHECK(IsWindowVisible(dialog));
    CHECK(GetFocus() == GetDlgItem(dialog, IDOK));
    Press(GetFocus(), VK_RETURN);
  }
}

static void CheckAbout() {
  printf("about: Escape ignored, Enter closes\n");
  StartScript(KV_ABOUT_CAPTION, AboutStep);
  UINT_PTR timer = SetTimer(NULL, 0, kScriptTickMs, ScriptTimer);
  RunAboutDialog(g_kv.target.instance, g_owner);
  KillTimer(NULL, timer);
  CHECK(!g_script.timedOut);
  CHECK(g_script.tick > 5);
  CHECK(IsWindowEnabled(g_owner));
}

int main() {
  HINSTANCE instance = GetModuleHandleA(NULL);
  KvInitProcess(instance);
  CHECK(KvRegisterMainClass(instance) != 0);
  g_kv.background = KvCreateBackgroundBrush();
  g_owner = KvCreateMainWindow(instance);
  if (CHECK(g_owner != NULL)) {
    KvShowMainWindow(g_owner, SW_SHOWNORMAL);
    CheckOpenAndCancel();
    CheckLongNameOk();
    CheckEmptyOk();
    CheckEnterCancels();
    CheckConfirm();
    CheckAbout();
  }
  return WinCheckSummary();
}
