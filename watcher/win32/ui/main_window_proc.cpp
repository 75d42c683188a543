// The main window's procedure: one switch that routes each message to its handler, and
// the handlers, which hand events to the watcher's rules or do the window's own
// geometry and painting.
#include "watcher/config/command_tail.h"
#include "watcher/core/watcher_constants.h"
#include "watcher/core/watcher_rules.h"
#include "watcher/win32/platform/win32_attention.h"
#include "watcher/win32/platform/win32_restart.h"
#include "watcher/win32/ui/center_window.h"
#include "watcher/win32/ui/kv_process.h"
#include "watcher/win32/ui/main_window.h"
#include "watcher/win32/ui/paint.h"
#include "watcher/win32/ui/status_access.h"
#include "watcher/win32/win32_resource.h"

// Runs while CreateWindowExA is still under way. The operations learn the window here,
// before any message that can reach a rule (a focus change, a close) arrives.
static LRESULT OnCreate(HWND window) {
  g_kv.target.window = window;
  CenterWindow(window, g_kv.desktop);
  return 0;
}

// WM_CLOSE and WM_DESTROY alike: nothing is left to the default handling, so the window
// is never destroyed by the program; the rule quits the loop instead.
static LRESULT OnClose() {
  WatcherWindowClose(&g_kv.state, &g_kv.ops);
  return 0;
}

static LRESULT OnMoveOrSize(HWND window) {
  InvalidateRect(window, NULL, TRUE);
  return 0;
}

// Show Desktop (Win+D), Minimize All (Win+M) and another program's ShowWindow minimize
// the window without a WM_SYSCOMMAND: only this WM_SIZE comes. Such a minimize is the
// user's minimize request all the same, so a signalled flag still up comes back at the
// next tick, and a complaint comes straight back; the program's own minimize is not one.
static LRESULT OnSize(HWND window, WPARAM kind) {
  if (kind == SIZE_MINIMIZED && !g_kv.target.minimizing)
    WatcherWindowMinimized(&g_kv.state, &g_kv.ops);
  return OnMoveOrSize(window);
}

static LRESULT OnKillFocus() {
  WatcherFocusLost(&g_kv.state, &g_kv.ops);
  return 0;
}

static LRESULT OnPaint(HWND window) {
  KvPaintStatus(window, &g_kv.state);
  return 0;
}

// A logoff or a shutdown, not an installer's Restart Manager (ENDSESSION_CLOSEAPP, whose
// restart is the one registered for): without its restart, Windows 10 and later would
// start a second Korvane after the next logon, beside the logon entry's.
static LRESULT OnQueryEndSession(LPARAM reason) {
  if ((reason & ENDSESSION_CLOSEAPP) == 0) UnregisterForRestart();
  return 1;  // agree to end the session
}

// A session that goes on after all (another program refused to end it) keeps Korvane, so
// an installer may still need its restart.
static LRESULT OnEndSession(WPARAM sessionEnds) {
  if (sessionEnds != 0) {
    WatcherWindowClose(&g_kv.state, &g_kv.ops);
  } else {
    RegisterForRestart(CommandLineTail(GetCommandLineA()));
  }
  return 0;
}

// A high-contrast scheme turned on or off changes the system's colours, and every
// top-level window hears of it.
static LRESULT OnSysColorChange(HWND window) {
  KvFollowColourScheme(KvHighContrastOn());
  InvalidateRect(window, NULL, TRUE);
  return 0;
}

static LRESULT OnGetMinMaxInfo(MINMAXINFO *limits) {
  limits->ptMaxSize.x = kWindowWidth;
  limits->ptMaxSize.y = kWindowHeight;
  limits->ptMaxPosition.x = 0;
  limits->ptMaxPosition.y = 0;
  limits->ptMinTrackSize.x = kWindowWidth;
  limits->ptMinTrackSize.y = kWindowHeight;
  limits->ptMaxTrackSize.x = kWindowWidth;
  limits->ptMaxTrackSize.y = kWindowHeight;
  return 0;
}

// The Set Flag, Delete Flag and About commands run a modal dialog or message box with
// its own message loop: timer ticks, and so the poll rule, run nested inside them.
static LRESULT OnCommand(WPARAM command) {
  switch (command) {
    case IDM_ABOUT:
      WatcherAboutCommand(&g_kv.state, &g_kv.ops);
      break;
    case IDM_DELETEFLAG:
      WatcherDeleteFlagCommand(&g_kv.state, &g_kv.ops);
      break;
    case IDM_SETFLAG:
      WatcherSetFlagCommand(&g_kv.state, &g_kv.ops);
      break;
    case IDM_EXIT:
      WatcherExitCommand(&g_kv.state, &g_kv.ops);
      break;
  }
  return 0;
}

// The whole wParam is compared: a size command carrying a border code in its low bits,
// or a caption double-click's maximize, falls through to the default handling.
static LRESULT OnSysCommand(HWND window, WPARAM command, LPARAM lParam) {
  switch (command) {
    case IDM_SYSABOUT:
      WatcherAboutCommand(&g_kv.state, &g_kv.ops);
      return 0;
    case SC_SIZE:
    case SC_MAXIMIZE:
    case SC_VSCROLL:
    case SC_HSCROLL:
      return 0;
    case SC_MINIMIZE:
      WatcherMinimizeRequest(&g_kv.state, &g_kv.ops);
      return 0;
    case SC_CLOSE:
      WatcherSystemClose(&g_kv.state, &g_kv.ops);
      return 0;
    case SC_RESTORE:
      WatcherRestoreRequest(&g_kv.state, &g_kv.ops);
      return 0;
  }
  return DefWindowProcA(window, WM_SYSCOMMAND, command, lParam);
}

// Ticks keep coming while a modal dialog or the error box is up, and are handled inside
// their loops. The tick that finds the flag has popped the window up where Wine shows it
// always, but Windows may not: on another virtual desktop, or without the foreground.
static LRESULT OnTimer(HWND window) {
  int wasOn = g_kv.state.flagIsOn;
  WatcherTimerTick(&g_kv.state, &g_kv.ops);
  if (wasOn || !g_kv.state.flagIsOn) return 0;
  BringToCurrentDesktop(window);
  FlashUnlessForeground(window);
  return 0;
}

static LRESULT RouteMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window);
    case WM_DESTROY:
    case WM_CLOSE:
      return OnClose();
    case WM_MOVE:
      return OnMoveOrSize(window);
    case WM_SIZE:
      return OnSize(window, wParam);
    case WM_KILLFOCUS:
      return OnKillFocus();
    case WM_PAINT:
      return OnPaint(window);
    case WM_QUERYENDSESSION:
      return OnQueryEndSession(lParam);
    case WM_ERASEBKGND:
      return KvEraseMainWindow(window, reinterpret_cast<HDC>(wParam), g_kv.background);
    case WM_ENDSESSION:
      return OnEndSession(wParam);
    case WM_GETMINMAXINFO:
      return OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO *>(lParam));
    case WM_COMMAND:
      return OnCommand(wParam);
    case WM_SYSCOMMAND:
      return OnSysCommand(window, wParam, lParam);
    case WM_TIMER:
      return OnTimer(window);
    case WM_GETOBJECT:
      return KvAnswerAccessRequest(window, wParam, lParam, &g_kv.state);
    case WM_SYSCOLORCHANGE:
      return OnSysColorChange(window);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// How many of the window's messages are being handled, one inside another.
static int s_depth;

// Each change of the status lines comes with a message: a tick, a command, a dialog's end,
// a minimize, the first paint of a complaint at start-up. Assistive technology is told of
// it once the outermost message is handled, so that a pop-up is announced when it is up,
// not halfway through its restore. A tick may come inside another message, from the loop
// of a dialog or an error box: it tells of itself.
LRESULT CALLBACK KvMainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++s_depth;
  LRESULT result = RouteMessage(window, message, wParam, lParam);
  if (--s_depth == 0 || message == WM_TIMER) KvTellStatus(window, &g_kv.state);
  return result;
}
