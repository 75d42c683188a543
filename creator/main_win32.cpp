// QUELLARD.EXE: binds the creator to the Windows console device and the C runtime's
// exclusive, share-controlled open. The program has its own entry point instead of the
// runtime's start-up code: it splits GetCommandLineA() itself, so every Windows, and
// Wine, hands the creator the same names, and no wildcard is ever expanded.
#include <errno.h>
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <windows.h>

#include "creator/command_line.h"
#include "creator/creator.h"

// WriteConsoleA refuses very large buffers on older systems, so long names go in pieces.
static const DWORD kConsoleChunk = 8192;

static void ConsoleWrite(void *ctx, const char *bytes, size_t len) {
  HANDLE console = *static_cast<HANDLE *>(ctx);
  if (console == INVALID_HANDLE_VALUE) return;
  while (len > 0) {
    DWORD chunk = len > kConsoleChunk ? kConsoleChunk : static_cast<DWORD>(len);
    DWORD written = 0;
    if (!WriteConsoleA(console, bytes, chunk, &written, NULL) || written == 0) return;
    bytes += written;
    len -= written;
  }
}

static int RuntimeCreate(void *, const char *name, int *error) {
  int fd = _sopen(name, _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYWR, _S_IREAD | _S_IWRITE);
  if (fd < 0) *error = errno;
  return fd;
}

static int RuntimeClose(void *, int handle) { return _close(handle); }

// The system's ANSI code page, as the runtimes' own splitters use it.
static int IsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte); }

// The runtime DLL initialises itself when it loads, so its file and errno functions
// work without the start-up code; nothing here needs static constructors.
static int Run() {
  // Opened once, before any name is handled; the lines never touch stdout or stderr.
  HANDLE console = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                               OPEN_EXISTING, 0, NULL);
  const char *line = GetCommandLineA();
  size_t textSize = 0;
  int argc = SplitCommandLine(line, IsLeadByte, NULL, NULL, &textSize);
  char **argv = static_cast<char **>(malloc((argc + 1) * sizeof(char *) + textSize));
  if (argv == NULL) return ENOMEM;
  SplitCommandLine(line, IsLeadByte, argv, reinterpret_cast<char *>(argv + argc + 1), &textSize);
  CreatorOps ops = {&console, ConsoleWrite, RuntimeCreate, RuntimeClose};
  return RunCreator(argc, argv, &ops);
}

extern "C" void QuellardEntry() { ExitProcess(static_cast<UINT>(Run())); }
