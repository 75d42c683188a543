// Whole-file helpers for the Windows test programs: write a text, read it back, and ask
// whether anything of a name exists.
#ifndef TESTS_WIN_COMMON_WIN_FILES_H
#define TESTS_WIN_COMMON_WIN_FILES_H

#include <stdio.h>
#include <string.h>
#include <windows.h>

// Creates or replaces path with text, byte for byte. Returns 1 only when every byte was
// written and the file closed cleanly.
static inline int WriteTextFile(const char *path, const char *text) {
  FILE *out = fopen(path, "wb");
  if (out == NULL) return 0;
  size_t length = strlen(text);
  int ok = fwrite(text, 1, length, out) == length;
  return fclose(out) == 0 && ok;
}

// Reads at most size - 1 bytes of path into buffer, terminated; buffer is "" and the
// result 0 when the file cannot be opened.
static inline int ReadTextFile(const char *path, char *buffer, int size) {
  buffer[0] = '\0';
  FILE *in = fopen(path, "rb");
  if (in == NULL) return 0;
  size_t n = fread(buffer, 1, static_cast<size_t>(size - 1), in);
  buffer[n] = '\0';
  fclose(in);
  return 1;
}

// Whether a file or folder of this name exists.
static inline int FileExists(const char *path) {
  return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

#endif
