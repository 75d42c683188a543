// Probing and deleting the flag file with the POSIX calls.
#include "watcher/gtk/posix_files.h"

#include <fcntl.h>
#include <stdint.h>
#include <sys/stat.h>
#include <unistd.h>

// The descriptor travels in the token plus one, so descriptor 0 is not a null token.
void *PosixProbeOpen(void *, const char *name) {
  // Non-blocking, so a FIFO bearing the flag's name cannot stall the poll; and only a
  // regular file counts, since Linux, unlike Windows, opens a folder for reading.
  int fd = open(name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return nullptr;
  }
  return reinterpret_cast<void *>(static_cast<intptr_t>(fd) + 1);
}

void PosixProbeClose(void *, void *token) {
  close(static_cast<int>(reinterpret_cast<intptr_t>(token) - 1));
}

int PosixDeleteFile(void *, const char *name) { return unlink(name) == 0 ? 1 : 0; }
