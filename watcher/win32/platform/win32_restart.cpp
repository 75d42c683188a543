// The Restart Manager's registration, looked up at run time: KERNEL32 on Windows XP has
// neither RegisterApplicationRestart nor UnregisterApplicationRestart.
#include "watcher/win32/platform/win32_restart.h"

#include <windows.h>

#include "watcher/win32/platform/win32_late_bound.h"

// From Vista's winbase.h: the longest command line, and "do not restart after a reboot".
enum { kRestartMaxCommandLine = 1024, kRestartNoReboot = 8 };

typedef HRESULT(WINAPI *RegisterApplicationRestartCall)(PCWSTR commandLine, DWORD flags);
typedef HRESULT(WINAPI *UnregisterApplicationRestartCall)(void);

static HMODULE Kernel() { return GetModuleHandleA("KERNEL32"); }

int RegisterForRestart(const char *tail) {
  RegisterApplicationRestartCall call =
      LateBound<RegisterApplicationRestartCall>(Kernel(), "RegisterApplicationRestart");
  WCHAR line[kRestartMaxCommandLine];
  if (call == NULL || MultiByteToWideChar(CP_ACP, 0, tail, -1, line, kRestartMaxCommandLine) == 0)
    return 0;
  return call(line, kRestartNoReboot) == S_OK;
}

void UnregisterForRestart() {
  UnregisterApplicationRestartCall call =
      LateBound<UnregisterApplicationRestartCall>(Kernel(), "UnregisterApplicationRestart");
  if (call != NULL) call();
}
