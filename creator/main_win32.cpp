// QUELLARD.EXE: binds the creator to the Windows console device and the C runtime's
// exclusive, share-controlled open.
#include <errno.h>
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include "creator/creator.h"

// The runtime must not expand wildcards: a '*' in a name is passed on and fails to create.
extern "C" int _dowildcard;
int _dowildcard = 0;

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

int main(int argc, char **argv) {
  // Opened once, before any name is handled; the lines never touch stdout or stderr.
  HANDLE console = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                               OPEN_EXISTING, 0, NULL);
  CreatorOps ops = {&console, ConsoleWrite, RuntimeCreate, RuntimeClose};
  return RunCreator(argc, argv, &ops);
}
