// Fuzz target for the command-line tail: whatever the command line, the tail is a
// suffix of it that starts past the program name and every separator after it.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "fuzz/exact_copy.h"
#include "watcher/config/command_tail.h"

static bool IsSeparator(unsigned char c) { return c >= 1 && c <= ' '; }

// Where the program name ends: past the closing quote of a quoted name (the end when
// there is none), else at the first byte that is a blank, a control character or NUL.
static size_t NameEnd(const unsigned char *line, size_t length) {
  if (line[0] == '"') {
    const void *close = memchr(line + 1, '"', length - 1);
    return close != nullptr
               ? static_cast<size_t>(static_cast<const unsigned char *>(close) - line) + 1
               : length;
  }
  size_t i = 0;
  while (i < length && line[i] > ' ') ++i;
  return i;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::unique_ptr<char[]> copy = ExactCString(reinterpret_cast<const char *>(data), size);
  const unsigned char *line = reinterpret_cast<const unsigned char *>(copy.get());
  size_t length = strlen(copy.get());

  const char *tail = CommandLineTail(copy.get());
  // A suffix: a pointer into the line, at most at its terminator.
  if (tail < copy.get() || tail > copy.get() + length) abort();
  size_t start = static_cast<size_t>(tail - copy.get());
  if (IsSeparator(line[start])) abort();

  // Between the name and the tail lie separators only, and all of them are skipped.
  size_t nameEnd = NameEnd(line, length);
  if (start < nameEnd) abort();
  for (size_t i = nameEnd; i < start; ++i)
    if (!IsSeparator(line[i])) abort();
  // An unquoted name never swallows a blank or a control character.
  if (line[0] != '"')
    for (size_t i = 0; i < nameEnd; ++i)
      if (line[i] <= ' ') abort();
  return 0;
}
