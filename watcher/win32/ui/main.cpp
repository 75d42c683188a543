// Korvane.exe's entry point: the start-up steps in their order, then the message loop.
#include <windows.h>

#include "watcher/config/command_tail.h"
#include "watcher/config/configuration.h"
#include "watcher/core/watcher_rules.h"
#include "watcher/win32/platform/win32_restart.h"
#include "watcher/win32/ui/kv_process.h"
#include "watcher/win32/ui/main_window.h"
#include "watcher/win32/ui/paint.h"

// The tail is taken from the process's command line by the rule the watcher documents,
// not from lpCmdLine, whose computation differs between runtimes (quotes inside the
// program name, bytes above 127).
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
  KvInitProcess(instance);
  if (!KvRegisterMainClass(instance)) return 0;
  KvSetUpColours();
  HWND window = KvCreateMainWindow(instance);
  if (window == NULL) return 0;
  KvShowMainWindow(window, showState);
  const char *tail = CommandLineTail(GetCommandLineA());
  LoadConfiguration(&g_kv.state, &g_kv.profile, tail);
  // An installer that replaces Korvane.exe on Vista or later closes it as at the end of
  // the session; without this it would stay closed until the user's next logon.
  RegisterForRestart(tail);
  WatcherStartTimer(&g_kv.state, &g_kv.ops);
  KvEditSystemMenu(window);
  WatcherStartupDecision(&g_kv.state, &g_kv.ops);

  MSG msg;
  while (GetMessageA(&msg, NULL, 0, 0) != 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
