// The Restart Manager's registration, looked up at run time: KERNEL32 on Windows XP has
// no RegisterApplicationRestart, and a program that imported it would not start there.
#include "watcher/win32/platform/win32_restart.h"

#include <windows.h>

// From Vista's winbase.h: the longest command line, and "do not restart after a reboot".
enum { kRestartMaxCommandLine = 1024, kRestartNoReboot = 8 };

typedef HRESULT(WINAPI *RegisterApplicationRestartCall)(PCWSTR commandLine, DWORD flags);

int RegisterForRestart(const char *tail) {
  FARPROC found = GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "RegisterApplicationRestart");
  WCHAR line[kRestartMaxCommandLine];
  if (found == NULL || MultiByteToWideChar(CP_ACP, 0, tail, -1, line, kRestartMaxCommandLine) == 0)
    return 0;
  // Through a pointer to a function of no arguments, which may be cast to any other.
  RegisterApplicationRestartCall call =
      reinterpret_cast<RegisterApplicationRestartCall>(reinterpret_cast<void (*)(void)>(found));
  return call(line, kRestartNoReboot) == S_OK;
}
