// quellard: binds the creator to the controlling terminal and open(2).
#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include "creator/creator.h"

static void TerminalWrite(void *ctx, const char *bytes, size_t len) {
  int tty = *static_cast<int *>(ctx);
  if (tty < 0) return;
  while (len > 0) {
    ssize_t written = write(tty, bytes, len);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    bytes += written;
    len -= static_cast<size_t>(written);
  }
}

static int PosixCreate(void *, const char *name, int *error) {
  int fd = open(name, O_RDWR | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) *error = errno;
  return fd;
}

static int PosixClose(void *, int handle) { return close(handle); }

int main(int argc, char **argv) {
  // The terminal stands in for the console device: lines reach the user even when
  // standard output and standard error are redirected, and vanish when there is none.
  int tty = open("/dev/tty", O_WRONLY | O_NOCTTY | O_CLOEXEC);
  CreatorOps ops = {&tty, TerminalWrite, PosixCreate, PosixClose};
  return RunCreator(argc, argv, &ops);
}
