// Flag file and INI file operations on the Win32 kernel calls.
#include "watcher/win32/platform/win32_files.h"

#include <string.h>

#include "watcher/config/ini_path.h"

// Room for the program file's path; a longer path counts as no path at all.
static const int kModulePathSize = 512;

// FILE_ATTRIBUTE_NORMAL | FILE_FLAG_NO_BUFFERING: nothing is ever read, so the flags only
// keep the open from touching the cache.
static const DWORD kProbeFlags = 0x20000080;

void *Win32ProbeOpen(void *, const char *name) {
  // Sharing for writing too, so a flag still held open by its writer is seen; a
  // directory cannot be opened without FILE_FLAG_BACKUP_SEMANTICS, so it never counts.
  HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                            OPEN_EXISTING, kProbeFlags, NULL);
  return file == INVALID_HANDLE_VALUE ? NULL : file;
}

void Win32ProbeClose(void *, void *token) { CloseHandle(static_cast<HANDLE>(token)); }

// A flag that another watcher's probe, or an indexer or a scanner, holds open for a
// moment without delete sharing cannot be deleted meanwhile (a sharing violation): the
// delete is tried again a few times before it counts as failed. Any other failure counts
// at once.
enum { kDeleteRetries = 3, kDeleteRetryMs = 100 };

int Win32DeleteFile(void *, const char *name) {
  for (int retries = kDeleteRetries;; --retries) {
    if (DeleteFileA(name)) return 1;
    if (retries == 0 || GetLastError() != ERROR_SHARING_VIOLATION) return 0;
    Sleep(kDeleteRetryMs);
  }
}

static int ModulePath(void *ctx, char *buffer, int size) {
  if (size < 1) return 0;
  DWORD length = GetModuleFileNameA(static_cast<HMODULE>(ctx), buffer, static_cast<DWORD>(size));
  // A cut path comes back with the whole size as its length, and on older systems
  // without a terminator: it names another file, so it is no path at all.
  if (length == 0 || length >= static_cast<DWORD>(size)) {
    buffer[0] = '\0';
    return 0;
  }
  return static_cast<int>(length);
}

// Korvane.INI beside the program: the same folder and base name, extension ".INI".
static int IniPath(void *ctx, char *buffer, int size) {
  char modulePath[kModulePathSize];
  if (ModulePath(ctx, modulePath, kModulePathSize) == 0) {
    if (size > 0) buffer[0] = '\0';
    return 0;
  }
  return DeriveIniPath(modulePath, buffer, size) ? static_cast<int>(strlen(buffer)) : 0;
}

static int ReadString(void *, const char *section, const char *key, const char *def, char *buffer,
                      int size, const char *file) {
  return static_cast<int>(
      GetPrivateProfileStringA(section, key, def, buffer, static_cast<DWORD>(size), file));
}

static int WriteString(void *, const char *section, const char *key, const char *value,
                       const char *file) {
  return WritePrivateProfileStringA(section, key, value, file) ? 1 : 0;
}

ProfileOps Win32ProfileOps(HINSTANCE instance) {
  ProfileOps ops = {instance, IniPath, ReadString, WriteString};
  return ops;
}
