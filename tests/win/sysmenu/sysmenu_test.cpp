// Runs the main window's own set-up code in this process (class, window, system menu
// edit) and checks what it made: the class and window as registered and created, the
// centring on creation, the edited system menu, the size limits, the swallowed
// maximize, and the grey erase and black status text.
#include <windows.h>

#include "tests/win/common/win_check.h"
#include "watcher/core/watcher_constants.h"
#include "watcher/resources/resource.h"
#include "watcher/ui/kv_process.h"
#include "watcher/ui/main_window.h"

static void CheckClassAndWindow(HWND window) {
  printf("class and window\n");
  CHECK(g_kv.target.window == window);
  CHECK_INT(GetClassLongA(window, GCL_STYLE), CS_VREDRAW | CS_HREDRAW);
  CHECK_INT(GetClassLongA(window, GCL_HBRBACKGROUND), COLOR_APPWORKSPACE + 1);
  CHECK(GetClassLongA(window, GCL_HICON) != 0);
  CHECK(GetClassLongA(window, GCL_HCURSOR) ==
        reinterpret_cast<DWORD>(LoadCursorA(NULL, MAKEINTRESOURCEA(32512))));
  char text[64];
  GetClassNameA(window, text, sizeof text);
  CHECK_TEXT(text, KV_WINDOW_CLASS);
  GetWindowTextA(window, text, sizeof text);
  CHECK_TEXT(text, KV_WINDOW_TITLE);
  LONG style = GetWindowLongA(window, GWL_STYLE);
  CHECK_INT(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                     WS_POPUP | WS_CHILD),
            kMainWindowStyle);
  CHECK(GetMenu(window) != NULL);
  GetMenuStringA(GetMenu(window), 0, text, sizeof text, MF_BYPOSITION);
  CHECK_TEXT(text, KV_MENU_FILE);
}

// Created at 80, 80, the window is centred over the desktop by its WM_CREATE.
static void CheckCentredOnCreation(HWND window) {
  printf("centred on creation\n");
  RECT desk;
  RECT r;
  GetWindowRect(GetDesktopWindow(), &desk);
  GetWindowRect(window, &r);
  CHECK_INT(r.right - r.left, kWindowWidth);
  CHECK_INT(r.bottom - r.top, kWindowHeight);
  CHECK_INT(r.left, desk.left + (desk.right - desk.left - kWindowWidth) / 2);
  CHECK_INT(r.top, desk.top + (desk.bottom - desk.top - kWindowHeight) / 2);
}

static int FindItemById(HMENU menu, UINT id) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    if (GetMenuItemID(menu, i) == id) return i;
  }
  return -1;
}

// Found by id and position from the end: the system adds items of its own.
static void CheckSystemMenu(HWND window) {
  printf("system menu\n");
  HMENU menu = GetSystemMenu(window, FALSE);
  CHECK(menu != NULL);
  CHECK(g_kv.systemMenu == menu);
  CHECK_INT(FindItemById(menu, SC_MAXIMIZE), -1);
  CHECK(FindItemById(menu, SC_MINIMIZE) >= 0);
  int count = GetMenuItemCount(menu);
  CHECK_INT(FindItemById(menu, IDM_SYSABOUT), count - 1);
  char text[64] = "";
  GetMenuStringA(menu, IDM_SYSABOUT, text, sizeof text, MF_BYCOMMAND);
  CHECK_TEXT(text, KV_SYSMENU_ABOUT_TEXT);
  CHECK(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);
}

static void CheckSizeLimits(HWND window) {
  printf("size limits\n");
  MINMAXINFO limits;
  memset(&limits, 0x55, sizeof limits);
  CHECK_INT(SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits)), 0);
  CHECK_INT(limits.ptMaxSize.x, kWindowWidth);
  CHECK_INT(limits.ptMaxSize.y, kWindowHeight);
  CHECK_INT(limits.ptMaxPosition.x, 0);
  CHECK_INT(limits.ptMaxPosition.y, 0);
  CHECK_INT(limits.ptMinTrackSize.x, kWindowWidth);
  CHECK_INT(limits.ptMinTrackSize.y, kWindowHeight);
  CHECK_INT(limits.ptMaxTrackSize.x, kWindowWidth);
  CHECK_INT(limits.ptMaxTrackSize.y, kWindowHeight);

  // Maximize is swallowed: the window neither moves nor grows.
  RECT before;
  RECT after;
  GetWindowRect(window, &before);
  CHECK_INT(SendMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0), 0);
  GetWindowRect(window, &after);
  CHECK(!IsZoomed(window));
  CHECK(EqualRect(&before, &after));
}

static COLORREF PixelAt(HDC dc, int x, int y) { return GetPixel(dc, x, y) & 0xFFFFFF; }

// WM_ERASEBKGND, sent with a memory device context, fills the whole client area grey.
static void CheckErase(HWND window) {
  printf("erase\n");
  RECT client;
  GetClientRect(window, &client);
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  HGDIOBJ old = SelectObject(memory, bitmap);
  PatBlt(memory, 0, 0, client.right, client.bottom, WHITENESS);
  CHECK_INT(SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0), 1);
  const COLORREF grey = RGB(kBackgroundGrey, kBackgroundGrey, kBackgroundGrey);
  CHECK_INT(PixelAt(memory, 0, 0), grey);
  CHECK_INT(PixelAt(memory, client.right - 1, client.bottom - 1), grey);
  CHECK_INT(PixelAt(memory, client.right / 2, client.bottom / 2), grey);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
}

static int CountBlackPixels(HDC dc, int left, int top, int right, int bottom) {
  int count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) count += PixelAt(dc, x, y) == RGB(0, 0, 0);
  }
  return count;
}

static void PumpPending() {
  MSG msg;
  while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// The first status line is drawn in black at 20, 20 on the grey, and nothing else is.
static void CheckPaint(HWND window) {
  printf("paint\n");
  g_kv.state.noCommandLine = 1;
  ShowWindow(window, SW_SHOWNORMAL);
  InvalidateRect(window, NULL, TRUE);
  UpdateWindow(window);
  PumpPending();
  HDC dc = GetDC(window);
  CHECK(CountBlackPixels(dc, kTextLeft, kNoCommandLineTop, kTextLeft + 60, kNoCommandLineTop + 10) >
        0);
  CHECK_INT(CountBlackPixels(dc, 0, 0, kTextLeft, kNoCommandLineTop + 10), 0);
  CHECK_INT(CountBlackPixels(dc, kTextLeft, kFlagOnTop + 20, kTextLeft + 60, kFlagOnTop + 40), 0);
  CHECK_INT(PixelAt(dc, 5, 60), RGB(kBackgroundGrey, kBackgroundGrey, kBackgroundGrey));
  ReleaseDC(window, dc);
}

int main() {
  HINSTANCE instance = GetModuleHandleA(NULL);
  KvInitProcess(instance);
  CHECK(KvRegisterMainClass(instance) != 0);
  g_kv.background = KvCreateBackgroundBrush();
  HWND window = KvCreateMainWindow(instance);
  if (CHECK(window != NULL)) {
    KvEditSystemMenu(window);
    CheckClassAndWindow(window);
    CheckCentredOnCreation(window);
    CheckSystemMenu(window);
    CheckSizeLimits(window);
    CheckErase(window);
    CheckPaint(window);
  }
  return WinCheckSummary();
}
