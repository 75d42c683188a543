/* Preloaded into korvane by the GTK scenarios: a flag on a file server that stops
   answering. While the file "$DEAD_SHARE.dead" exists, open() of the path $DEAD_SHARE
   blocks (60 s at most) and then fails with EIO, as a share that times out; otherwise it
   opens as usual. Each open of the path adds a byte to "$DEAD_SHARE.probes". korvane
   calls open() itself, not open64(). */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

typedef int (*OpenFunc)(const char *path, int flags, ...);

static int Watched(const char *path, OpenFunc real) {
  const char *share = getenv("DEAD_SHARE");
  char name[4096];
  if (share == NULL || strcmp(path, share) != 0) return 0;
  snprintf(name, sizeof name, "%s.probes", share);
  int fd = real(name, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd >= 0 && write(fd, "x", 1) == 1) close(fd);
  snprintf(name, sizeof name, "%s.dead", share);
  int blocked = 0;
  for (; access(name, F_OK) == 0 && blocked < 600; ++blocked) usleep(100000);
  return blocked;
}

int open(const char *path, int flags, ...) {
  OpenFunc real = (OpenFunc)dlsym(RTLD_NEXT, "open");
  va_list rest;
  va_start(rest, flags);
  int mode = (flags & (O_CREAT | O_TMPFILE)) != 0 ? va_arg(rest, int) : 0;
  va_end(rest);
  if (Watched(path, real)) {
    errno = EIO;
    return -1;
  }
  return real(path, flags, mode);
}
