/* Preloaded into korvane by the GTK scenarios: a flag on a file server that stops
   answering. While the file "$DEAD_SHARE.dead" exists, open() or unlink() of the path
   $DEAD_SHARE blocks (60 s at most) and then fails with EIO, as a share that times out; while
   "$DEAD_SHARE.slow" exists, it opens the file and then blocks before it answers, as a
   slow share; otherwise it opens as usual. Each open of the path adds a byte to
   "$DEAD_SHARE.probes". korvane calls open() itself, not open64(). */
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

static void Count(const char *share, OpenFunc real) {
  char name[4096];
  snprintf(name, sizeof name, "%s.probes", share);
  int fd = real(name, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd >= 0 && write(fd, "x", 1) == 1) close(fd);
}

/* Blocks while the file share + suffix exists, 60 s at most; whether it blocked. */
static int Held(const char *share, const char *suffix) {
  char name[4096];
  snprintf(name, sizeof name, "%s%s", share, suffix);
  int blocked = 0;
  for (; access(name, F_OK) == 0 && blocked < 600; ++blocked) usleep(100000);
  return blocked;
}

int open(const char *path, int flags, ...) {
  OpenFunc real = (OpenFunc)dlsym(RTLD_NEXT, "open");
  const char *share = getenv("DEAD_SHARE");
  va_list rest;
  va_start(rest, flags);
  int mode = (flags & (O_CREAT | O_TMPFILE)) != 0 ? va_arg(rest, int) : 0;
  va_end(rest);
  if (share == NULL || strcmp(path, share) != 0) return real(path, flags, mode);
  Count(share, real);
  if (Held(share, ".dead")) {
    errno = EIO;
    return -1;
  }
  int fd = real(path, flags, mode);
  Held(share, ".slow");
  return fd;
}

int unlink(const char *path) {
  int (*real)(const char *) = (int (*)(const char *))dlsym(RTLD_NEXT, "unlink");
  const char *share = getenv("DEAD_SHARE");
  if (share == NULL || strcmp(path, share) != 0 || !Held(share, ".dead")) return real(path);
  errno = EIO;
  return -1;
}
