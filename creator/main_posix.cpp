// quellard: binds the creator to the controlling terminal and open(2), and answers
// --help and --version as Linux users expect.
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "creator/creator.h"
#include "creator/version.h"

static const char kProgramName[] = "quellard";

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

// Answers an option on standard output; returns 0 when arg is none. Asked only when it
// is the one argument: among names, as on Windows, it is a name like any other, so batch
// lines written for QUELLARD.EXE create the same files here.
static int AnswerOption(const char *arg) {
  if (strcmp(arg, "--help") == 0) {
    printf(
        "Usage: %s [--] NAME...\n"
        "Creates each NAME as a new, empty file, never touching an existing one. Failures\n"
        "are reported on the terminal; the exit status is that of the last NAME.\n\n"
        "  --help     show this help and exit (only as the one argument)\n"
        "  --version  show the version and exit (only as the one argument)\n"
        "  --         as the first argument: ends the options, the rest are NAMEs\n\n"
        "Every other argument is a NAME, even one that begins with '-'. With no NAME,\n"
        "the banner is printed and the exit status is %d.\n",
        kProgramName, kBannerStatus);
    return 1;
  }
  if (strcmp(arg, "--version") == 0) {
    printf("%s (%s) %s\n", kProgramName, KV_PRODUCT_NAME, KV_RELEASE);
    return 1;
  }
  return 0;
}

int main(int argc, char **argv) {
  if (argc == 2 && AnswerOption(argv[1])) return 0;
  // A first "--" only ends the options; with nothing after it there are no names.
  if (argc >= 2 && strcmp(argv[1], "--") == 0) {
    argv[1] = argv[0];
    --argc;
    ++argv;
  }
  // The terminal stands in for the console device: lines reach the user even when
  // standard output and standard error are redirected, and vanish when there is none.
  int tty = open("/dev/tty", O_WRONLY | O_NOCTTY | O_CLOEXEC);
  CreatorOps ops = {&tty, TerminalWrite, PosixCreate, PosixClose};
  return RunCreator(argc, argv, &ops);
}
