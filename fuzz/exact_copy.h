// Heap copies of fuzz input sized exactly to their contents, so that AddressSanitizer
// reports a read or write one byte past the end instead of it landing in slack.
#ifndef FUZZ_EXACT_COPY_H
#define FUZZ_EXACT_COPY_H

#include <stddef.h>
#include <string.h>

#include <memory>
#include <string>

// The bytes up to their first NUL (or all of them), terminated, in a block of exactly
// that many bytes plus one.
inline std::unique_ptr<char[]> ExactCString(const char *bytes, size_t size) {
  const void *nul = memchr(bytes, '\0', size);
  size_t length =
      nul != nullptr ? static_cast<size_t>(static_cast<const char *>(nul) - bytes) : size;
  std::unique_ptr<char[]> copy(new char[length + 1]);
  memcpy(copy.get(), bytes, length);
  copy[length] = '\0';
  return copy;
}

inline std::unique_ptr<char[]> ExactCString(const std::string &text) {
  return ExactCString(text.data(), text.size());
}

#endif
