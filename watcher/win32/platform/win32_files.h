// The Win32 binding of the watcher's file operations (probe and delete the flag file)
// and of its profile operations (the INI file beside the program, read and write).
#ifndef WATCHER_WIN32_PLATFORM_WIN32_FILES_H
#define WATCHER_WIN32_PLATFORM_WIN32_FILES_H

#include <windows.h>

#include "watcher/config/profile_ops.h"

// For WatcherOps::probeOpen: opens name for reading, shared for reading and writing,
// only if it exists. Returns the open handle as a token, or null when it cannot be
// opened for any reason. ctx is not used.
void *Win32ProbeOpen(void *ctx, const char *name);
// For WatcherOps::probeClose: closes a token from Win32ProbeOpen. ctx is not used.
void Win32ProbeClose(void *ctx, void *token);
// For WatcherOps::deleteFile: deletes the named file; non-zero on success. A delete
// refused by a sharing violation is tried again, 100 ms apart, up to three times, the
// program's thread waiting meanwhile. ctx is not used.
int Win32DeleteFile(void *ctx, const char *name);

// Returns ProfileOps bound to the kernel's calls; the INI file lies beside the module of
// instance (the program instance given to WinMain, or null for the program file), with
// its base name and the extension ".INI".
ProfileOps Win32ProfileOps(HINSTANCE instance);

#endif
