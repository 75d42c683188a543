// The Windows test programs' checks: each CHECK counts a pass or prints the failed
// condition with its line, and WinCheckSummary prints the closing "N passed, M failed"
// line and gives the exit status.
#ifndef TESTS_WIN_COMMON_WIN_CHECK_H
#define TESTS_WIN_COMMON_WIN_CHECK_H

#include <stdio.h>
#include <string.h>

inline int g_checksPassed = 0;  // shared by every file of a program
inline int g_checksFailed = 0;

static inline int WinCheck(int ok, const char *what, const char *file, int line) {
  if (ok) {
    ++g_checksPassed;
  } else {
    ++g_checksFailed;
    printf("FAILED %s:%d: %s\n", file, line, what);
  }
  return ok;
}

static inline int WinCheckText(const char *got, const char *want, const char *what,
                               const char *file, int line) {
  int same = got != NULL && strcmp(got, want) == 0;
  if (!WinCheck(same, what, file, line)) {
    printf("  got  \"%s\"\n  want \"%s\"\n", got != NULL ? got : "(null)", want);
  }
  return same;
}

static inline int WinCheckInt(long got, long want, const char *what, const char *file, int line) {
  if (!WinCheck(got == want, what, file, line))
    printf("  got %ld (0x%lx), want %ld (0x%lx)\n", got, got, want, want);
  return got == want;
}

#define CHECK(cond) WinCheck((cond) != 0, #cond, __FILE__, __LINE__)
#define CHECK_TEXT(got, want) WinCheckText((got), (want), #got " == " #want, __FILE__, __LINE__)
#define CHECK_INT(got, want)                                                                \
  WinCheckInt(static_cast<long>(got), static_cast<long>(want), #got " == " #want, __FILE__, \
              __LINE__)

// Prints the closing line; returns the program's exit status.
static inline int WinCheckSummary() {
  printf("%d passed, %d failed\n", g_checksPassed, g_checksFailed);
  fflush(stdout);
  return g_checksFailed == 0 ? 0 : 1;
}

#endif
