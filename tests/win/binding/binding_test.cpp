// Exercises the Win32 binding of the watcher's file and profile operations on the real
// kernel calls: probe, delete, the INI read and write, and the INI path derived from
// this program's own path. Run with the argument "long" when the program has been
// copied under a long folder and a long base name; the run then also checks that it is.
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "tests/win/common/win_check.h"
#include "tests/win/common/win_files.h"
#include "watcher/config/command_tail.h"
#include "watcher/config/configuration.h"
#include "watcher/core/watcher_state.h"
#include "watcher/platform/win32_files.h"

static char g_dir[MAX_PATH];  // this run's scratch folder, with a trailing '\'

static const char *InDir(const char *name, char *out) {
  snprintf(out, MAX_PATH, "%s%s", g_dir, name);
  return out;
}

// Probes name and reports whether it counted as a raised flag, closing what it opened.
static int ProbeFinds(const char *name) {
  void *token = Win32ProbeOpen(NULL, name);
  if (token == NULL) return 0;
  Win32ProbeClose(NULL, token);
  return 1;
}

static void TestProbe(void) {
  char flag[MAX_PATH], sub[MAX_PATH];
  CHECK(WriteTextFile(InDir("job.flg", flag), ""));
  CHECK(ProbeFinds(flag));
  CHECK(!ProbeFinds(InDir("missing.flg", sub)));
  CHECK(CreateDirectoryA(InDir("dir.flg", sub), NULL));
  CHECK(!ProbeFinds(sub));
  RemoveDirectoryA(sub);

  // A writer that lets others read and write does not hide the flag; one that shares
  // nothing does, until it closes the file.
  HANDLE holder = CreateFileA(flag, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
  CHECK(holder != INVALID_HANDLE_VALUE);
  CHECK(ProbeFinds(flag));
  CloseHandle(holder);
  holder = CreateFileA(flag, GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
  CHECK(holder != INVALID_HANDLE_VALUE);
  CHECK(!ProbeFinds(flag));
  CloseHandle(holder);
  CHECK(ProbeFinds(flag));
}

static void TestDelete(void) {
  char flag[MAX_PATH];
  CHECK(WriteTextFile(InDir("del.flg", flag), ""));
  // The probe's handle must be closed, or the delete would be refused.
  CHECK(ProbeFinds(flag));
  CHECK(Win32DeleteFile(NULL, flag) != 0);
  CHECK(!FileExists(flag));
  CHECK(Win32DeleteFile(NULL, flag) == 0);
}

static void TestProfileRead(const ProfileOps *ops) {
  char ini[MAX_PATH], value[101], got[kNameReadSize + 8];
  memset(value, 'v', 100);
  value[99] = 'Z';
  value[100] = '\0';
  InDir("read.ini", ini);
  CHECK(ops->writeString(ops->ctx, "Command", "CommandLine", value, ini) != 0);
  memset(got, 'x', sizeof(got));
  CHECK(ops->readString(ops->ctx, "Command", "CommandLine", "", got, kNameReadSize, ini) == 63);
  value[63] = '\0';
  CHECK_TEXT(got, value);
  CHECK(ops->readString(ops->ctx, "Command", "Absent", "", got, kNameReadSize, ini) == 0);
  CHECK_TEXT(got, "");
}

// A user-edited INI file keeps everything but the one value the save rewrites.
static void TestSaveKeepsTheRest(const ProfileOps *ops) {
  static const char kBefore[] =
      "; edited by hand\r\n[Other]\r\nKey=Value\r\n\r\n[Command]\r\n; the flag\r\n"
      "CommandLine=C:\\OLD.FLG\r\nExtra=keep\r\n";
  int failedBefore = g_checksFailed;
  WatcherState state;
  InitWatcherState(&state);
  InDir("user.ini", state.iniFileName);
  CHECK(WriteTextFile(state.iniFileName, kBefore));
  strcpy(state.flagFileName, "C:\\FLAGS\\NEW JOB.FLG");
  SaveFlagName(&state, ops);
  char after[1024];
  CHECK(ReadTextFile(state.iniFileName, after, sizeof(after)));
  const char *kept[] = {"; edited by hand\r\n",
                        "[Other]\r\nKey=Value\r\n",
                        "[Command]\r\n",
                        "; the flag\r\n",
                        "CommandLine=C:\\FLAGS\\NEW JOB.FLG\r\n",
                        "Extra=keep\r\n"};
  // Line by line and in order: the profile writer may drop blank lines.
  const char *from = after;
  for (size_t i = 0; i < sizeof(kept) / sizeof(kept[0]); ++i) {
    const char *found = strstr(from, kept[i]);
    CHECK(found != NULL);
    if (found == NULL) {
      printf("  missing or out of order: \"%s\"\n", kept[i]);
      continue;
    }
    from = found + strlen(kept[i]);
  }
  CHECK(strstr(after, "OLD.FLG") == NULL);
  if (g_checksFailed != failedBefore) printf("  file after save:\n%s\n", after);
}

// The expected INI path, found without the code under test: the full program path with
// everything from the last '.' of its file name replaced by ".INI".
static int ExpectedIniPath(char *out, int size, int *pathLength, int *baseLength) {
  char path[4096];
  DWORD length = GetModuleFileNameA(NULL, path, sizeof(path));
  if (length == 0 || length >= sizeof(path)) return 0;
  char *name = path;
  for (char *p = path; *p; ++p)
    if (*p == '\\' || *p == '/') name = p + 1;
  char *dot = strrchr(name, '.');
  if (dot != NULL) *dot = '\0';
  *pathLength = static_cast<int>(length);
  *baseLength = static_cast<int>(strlen(name));
  return snprintf(out, size, "%s.INI", path) < size;
}

static void TestIniPathFromOwnProgramFile(const ProfileOps *ops, int longRun) {
  char expected[kIniFileNameSize], path[kModulePathSize];
  int pathLength = 0, baseLength = 0;
  CHECK(ExpectedIniPath(expected, sizeof(expected), &pathLength, &baseLength));
  CHECK(ops->modulePath(ops->ctx, path, sizeof(path)) == pathLength);
  CHECK(ops->modulePath(ops->ctx, path, 8) == 0);  // cut is no path
  if (longRun) {
    CHECK(pathLength > 127);
    CHECK(baseLength > 11);
  }
  WatcherState state;
  InitWatcherState(&state);
  LoadConfiguration(&state, ops, "");
  CHECK_TEXT(state.iniFileName, expected);
  CHECK(state.noCommandLine == 1);

  // The whole chain: a value saved beside the program is what the next start-up reads.
  strcpy(state.flagFileName, "C:\\FLAGS\\JOB.FLG");
  SaveFlagName(&state, ops);
  WatcherState next;
  InitWatcherState(&next);
  LoadConfiguration(&next, ops, "");
  CHECK_TEXT(next.flagFileName, "C:\\FLAGS\\JOB.FLG");
  CHECK(next.noCommandLine == 0);
  CHECK(DeleteFileA(expected));
}

static int MakeScratchDir(void) {
  char temp[MAX_PATH];
  DWORD length = GetTempPathA(sizeof(temp), temp);
  if (length == 0 || length >= sizeof(temp)) return 0;
  snprintf(g_dir, sizeof(g_dir), "%skv_binding_%lu\\", temp, GetCurrentProcessId());
  return CreateDirectoryA(g_dir, NULL) || GetLastError() == ERROR_ALREADY_EXISTS;
}

static void RemoveScratchDir(void) {
  const char *names[] = {"job.flg", "del.flg", "read.ini", "user.ini"};
  char path[MAX_PATH];
  for (size_t i = 0; i < sizeof(names) / sizeof(names[0]); ++i) DeleteFileA(InDir(names[i], path));
  RemoveDirectoryA(g_dir);
}

int main(int argc, char **argv) {
  int longRun = argc > 1 && strcmp(argv[1], "long") == 0;
  if (!MakeScratchDir()) {
    printf("cannot make a scratch folder\n");
    return 2;
  }
  ProfileOps ops = Win32ProfileOps(NULL);
  TestProbe();
  TestDelete();
  TestProfileRead(&ops);
  TestSaveKeepsTheRest(&ops);
  TestIniPathFromOwnProgramFile(&ops, longRun);
  // The tail the watcher would get: the program's own path, quoted or not, is skipped.
  CHECK_TEXT(CommandLineTail(GetCommandLineA()), argc > 1 ? argv[1] : "");
  RemoveScratchDir();
  return WinCheckSummary();
}
