// The flag creator's algorithm: one exclusive create per name, one console line per
// failure, and the status of the last name.
#include "creator/creator.h"

#include <string.h>

const char kBannerMaker[29] = "Quellard Flag Tools (C) 2026";
const char kBannerTitle[29] = "32bit Create Zero File      ";
const char kBannerUsage[28] = "QUELLARD <Path\\Filename>   ";
const char kCantCreatePrefix[19] = "Can't Create File ";

static const char kLineEnd[] = "\r\n";

static void WriteText(const CreatorOps *ops, const char *text) {
  ops->write(ops->ctx, text, strlen(text));
}

// The "%s\r\n" and "%s%s\r\n" lines; written piece by piece, so a name of any length
// reaches the console whole without passing through a buffer of ours.
static void PrintLine(const CreatorOps *ops, const char *first, const char *second) {
  WriteText(ops, first);
  if (second != NULL) WriteText(ops, second);
  WriteText(ops, kLineEnd);
}

static int CreateOne(const CreatorOps *ops, const char *name) {
  int error = 0;
  int handle = ops->create(ops->ctx, name, &error);
  if (handle < 0) {
    PrintLine(ops, kCantCreatePrefix, name);
    // A failure must never read as success, even if the platform left no error number.
    return error != 0 ? error : -1;
  }
  return ops->close(ops->ctx, handle) == 0 ? 0 : -1;
}

int RunCreator(int argc, char **argv, const CreatorOps *ops) {
  if (argc <= 1) {
    PrintLine(ops, kBannerMaker, NULL);
    PrintLine(ops, kBannerTitle, NULL);
    PrintLine(ops, kBannerUsage, NULL);
    return kBannerStatus;
  }
  int status = 0;
  for (int i = 1; i < argc; ++i) status = CreateOne(ops, argv[i]);
  return status;
}
