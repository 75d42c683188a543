// The About dialog: grey, centred over the main window, closed only by OK.
#include <windows.h>

#include "watcher/win32/ui/center_window.h"
#include "watcher/win32/ui/dialogs.h"
#include "watcher/win32/ui/kv_process.h"
#include "watcher/win32/ui/paint.h"
#include "watcher/win32/win32_resource.h"

static HWND s_aboutOwner;

// Only OK closes the dialog. Escape and the system's close both arrive as IDCANCEL,
// and are ignored on purpose.
static INT_PTR OnAboutCommand(HWND dialog, WPARAM wParam) {
  if (wParam != IDOK) return 0;
  EndDialog(dialog, 1);
  return 1;
}

static INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CenterWindow(dialog, s_aboutOwner);
      return 1;
    case WM_ERASEBKGND:
      return KvEraseDialog(dialog, reinterpret_cast<HDC>(wParam), g_kv.background);
    case WM_PAINT:
      KvPaintDialog(dialog);
      return 1;
    case WM_CTLCOLORSTATIC:
      return KvColourLabel(reinterpret_cast<HDC>(wParam), g_kv.background);
    case WM_COMMAND:
      return OnAboutCommand(dialog, wParam);
  }
  return 0;
}

void RunAboutDialog(HINSTANCE instance, HWND owner) {
  s_aboutOwner = owner;
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutDialogProc, 0);
}
