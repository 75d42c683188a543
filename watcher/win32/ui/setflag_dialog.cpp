// The Set Flag File dialog: moves text between its edit field and the state, and leaves
// the OK and Cancel decisions to the portable rules.
#include <windows.h>

#include "watcher/core/set_flag_rules.h"
#include "watcher/win32/ui/center_window.h"
#include "watcher/win32/ui/dialogs.h"
#include "watcher/win32/ui/kv_process.h"
#include "watcher/win32/ui/paint.h"
#include "watcher/win32/win32_resource.h"

// What the dialog procedure needs between its messages. The owner is disabled while the
// dialog runs, so no second Set Flag File dialog can start and overwrite it; timer ticks
// do go on reaching the main window meanwhile, but never touch this record.
struct SetFlagDialogRun {
  HWND owner;
  HWND edit;  // the name field, found on WM_INITDIALOG
  WatcherState *state;
};

static SetFlagDialogRun s_run;

static INT_PTR OnSetFlagInit(HWND dialog) {
  CenterWindow(dialog, s_run.owner);
  s_run.edit = GetDlgItem(dialog, IDC_FLAGNAME);
  // Screen readers name an edit after the label just before it in the window order, which
  // the template gives to "Extention". Moved to just after its prompt, the field is named
  // by it; among the tab stops the order stays OK, Cancel, field.
  SetWindowPos(s_run.edit, GetDlgItem(dialog, IDC_PROMPT), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageA(s_run.edit, EM_LIMITTEXT, kNameFieldLimit, 0);
  SendMessageA(s_run.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s_run.state->flagFileName));
  SetFocus(s_run.edit);
  // FALSE: the focus stays in the field where it was just put.
  return 0;
}

// The field is read into a scratch buffer, not into flagFileName: an empty OK must not
// wipe the configured name that a later Cancel would still keep.
static INT_PTR OnSetFlagOk(HWND dialog) {
  char field[kNameReadSize];
  field[0] = '\0';
  SendMessageA(s_run.edit, WM_GETTEXT, kNameReadSize, reinterpret_cast<LPARAM>(field));
  if (SetFlagDialogOk(s_run.state, field)) {
    EndDialog(dialog, 1);
    return 1;
  }
  SetFocus(s_run.edit);
  return 0;
}

static INT_PTR OnSetFlagCancel(HWND dialog) {
  SetFlagDialogCancel(s_run.state);
  EndDialog(dialog, 0);
  return 0;
}

// The whole wParam is compared: only a plain click or Enter (notification code 0) on
// OK or Cancel ends the dialog.
static INT_PTR OnSetFlagCommand(HWND dialog, WPARAM wParam) {
  switch (wParam) {
    case IDOK:
      return OnSetFlagOk(dialog);
    case IDCANCEL:
      return OnSetFlagCancel(dialog);
  }
  return 0;
}

static INT_PTR CALLBACK SetFlagDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return OnSetFlagInit(dialog);
    case WM_ERASEBKGND:
      return KvEraseDialog(dialog, reinterpret_cast<HDC>(wParam), g_kv.background);
    case WM_PAINT:
      KvPaintDialog(dialog);
      return 0;
    case WM_CTLCOLORSTATIC:
      return KvColourLabel(reinterpret_cast<HDC>(wParam), g_kv.background);
    case WM_COMMAND:
      return OnSetFlagCommand(dialog, wParam);
  }
  return 0;
}

int RunSetFlagDialog(HINSTANCE instance, HWND owner, WatcherState *state) {
  s_run.owner = owner;
  s_run.edit = NULL;
  s_run.state = state;
  INT_PTR result =
      DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SETFLAG), owner, SetFlagDialogProc, 0);
  return result == 1 ? 1 : 0;
}
