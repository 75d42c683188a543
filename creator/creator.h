// The flag creator's algorithm, apart from how the console and the file system are
// reached: the Windows and POSIX front ends each bind CreatorOps and call RunCreator.
#ifndef CREATOR_CREATOR_H
#define CREATOR_CREATOR_H

#include <stddef.h>

// The banner doubles as the usage text. Each line is a fixed-width, blank-padded array
// printed whole, so the trailing blanks reach the console.
extern const char kBannerMaker[29];
extern const char kBannerTitle[29];
extern const char kBannerUsage[28];

// Printed in front of every name that could not be created.
extern const char kCantCreatePrefix[19];

// Status when the banner is printed instead of creating anything.
enum { kBannerStatus = 255 };

struct CreatorOps {
  void *ctx;
  // Writes len bytes to the console exactly as given, without translating CR or LF.
  // Must drop the bytes silently when the process has no console.
  void (*write)(void *ctx, const char *bytes, size_t len);
  // Creates name as a new, empty file, failing when anything of that name exists; must
  // never truncate, rewrite or re-stamp an existing file. Returns a handle >= 0, or -1
  // with the platform's error number for the failure in *error.
  int (*create)(void *ctx, const char *name, int *error);
  // Closes a handle returned by create. Returns 0, or -1 when the close fails.
  int (*close)(void *ctx, int handle);
};

// Runs the creator over argv[1..argc-1] in order and returns the process exit status:
// 255 with the banner when there are no names, otherwise the outcome of the last name
// (0 created, its error number when it could not be, -1 when its close failed).
int RunCreator(int argc, char **argv, const CreatorOps *ops);

#endif
