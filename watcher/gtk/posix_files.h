// The POSIX binding of the watcher's file operations: probe and delete the flag file.
// No GTK here, so the unit tests run it as it is.
#ifndef WATCHER_GTK_POSIX_FILES_H
#define WATCHER_GTK_POSIX_FILES_H

// For WatcherOps::probeOpen: opens name for reading, without blocking, and keeps it only
// when it is a regular file. Returns a token for the open descriptor, or null when the
// name is absent, unreadable, too long, a folder, a FIFO or a device. ctx is not used.
void *PosixProbeOpen(void *ctx, const char *name);
// For WatcherOps::probeClose: closes a token from PosixProbeOpen. ctx is not used.
void PosixProbeClose(void *ctx, void *token);
// For WatcherOps::deleteFile: unlinks name; non-zero on success. ctx is not used.
int PosixDeleteFile(void *ctx, const char *name);

#endif
