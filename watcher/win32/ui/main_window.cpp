// Registration, creation and system menu of the main window.
#include "watcher/win32/ui/main_window.h"

#include "watcher/core/watcher_constants.h"
#include "watcher/win32/ui/kv_process.h"
#include "watcher/win32/ui/paint.h"
#include "watcher/win32/win32_resource.h"

ATOM KvRegisterMainClass(HINSTANCE instance) {
  WNDCLASSA wc;
  wc.style = kMainClassStyle;
  wc.lpfnWndProc = KvMainWindowProc;
  wc.cbClsExtra = 0;
  wc.cbWndExtra = 0;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
  wc.hCursor = LoadCursorA(NULL, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(kMainClassBrush);
  wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
  wc.lpszClassName = KV_WINDOW_CLASS;
  return RegisterClassA(&wc);
}

HWND KvCreateMainWindow(HINSTANCE instance) {
  return CreateWindowExA(kMainWindowExStyle, KV_WINDOW_CLASS, KV_WINDOW_TITLE, kMainWindowStyle,
                         kWindowX, kWindowY, kWindowWidth, kWindowHeight, NULL, NULL, instance,
                         NULL);
}

void KvShowMainWindow(HWND window, int showState) {
  ShowWindow(window, showState);
  UpdateWindow(window);
}

void KvEditSystemMenu(HWND window) {
  HMENU menu = GetSystemMenu(window, FALSE);
  g_kv.systemMenu = menu;
  DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
  AppendMenuA(menu, MF_SEPARATOR, 0, NULL);
  AppendMenuA(menu, MF_STRING, IDM_SYSABOUT, KV_SYSMENU_ABOUT_TEXT);
}
