// Fuzz target for deriving the INI path from a program path: any path, any buffer size.
// The buffer is exactly the size given, so a write past it is caught; the result must be
// the program's drive and directory, its base name and ".INI", or "" when that does not fit.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "fuzz/exact_copy.h"
#include "watcher/config/ini_path.h"

// The path without its extension: drive, directory and base name, as the INI path must
// repeat them.
static std::string WithoutExtension(const char *path) {
  size_t start = path[0] != '\0' && path[1] == ':' ? 2 : 0;
  size_t nameStart = start;
  for (size_t i = start; path[i] != '\0'; ++i)
    if (path[i] == '\\' || path[i] == '/') nameStart = i + 1;
  const char *dot = strrchr(path + nameStart, '.');
  size_t end = dot != nullptr ? static_cast<size_t>(dot - path) : strlen(path);
  return std::string(path, end);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 2) return 0;
  // Sizes up to 1023 reach past every path the input can hold, and 0 and 1 are included.
  int outSize = data[0] | ((data[1] & 3) << 8);
  std::unique_ptr<char[]> path = ExactCString(reinterpret_cast<const char *>(data + 2), size - 2);
  std::unique_ptr<char[]> out(new char[outSize]);
  memset(out.get(), 'x', static_cast<size_t>(outSize));

  int ok = DeriveIniPath(path.get(), out.get(), outSize);
  std::string expected = WithoutExtension(path.get()) + ".INI";
  bool fits = static_cast<int>(expected.size()) < outSize;
  if (ok != (fits ? 1 : 0)) abort();
  if (!ok) {
    if (outSize > 0 && out[0] != '\0') abort();
    return 0;
  }
  // memchr first: a missing terminator must be reported, not read past.
  if (memchr(out.get(), '\0', static_cast<size_t>(outSize)) == nullptr) abort();
  if (expected != out.get()) abort();
  return 0;
}
