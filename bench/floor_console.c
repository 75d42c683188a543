/* The floor for the footprint benchmark: the least a mingw-w64 PE32 console program,
   built like QUELLARD.EXE, can be while still writing one line to the console the way
   QUELLARD.EXE does. */
#include <windows.h>

int main(void) {
  static const char kLine[] = "floor\r\n";
  HANDLE console = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                               OPEN_EXISTING, 0, NULL);
  DWORD written = 0;
  return WriteConsoleA(console, kLine, sizeof kLine - 1, &written, NULL) ? 0 : 1;
}
