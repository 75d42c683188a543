// Bringing a window that has just popped up before the user's eyes where Windows, unlike
// Wine, may leave it unseen: on another virtual desktop, or behind the foreground lock.
#ifndef WATCHER_WIN32_PLATFORM_WIN32_ATTENTION_H
#define WATCHER_WIN32_PLATFORM_WIN32_ATTENTION_H

#include <windows.h>

// Moves window to the virtual desktop of the foreground window when it is not on the
// virtual desktop in use (Windows 10 and later: topmost does not cross desktops). The
// desktop manager is a COM class, created through OLE32 loaded at run time, so that
// Windows XP still starts the program; where it cannot be had (XP to 8.1, Wine), nothing
// happens. OLE32 and COM stay set up after the first call.
void BringToCurrentDesktop(HWND window);

// Flashes window's taskbar button until it comes to the foreground, when it is not the
// foreground window: Windows keeps the foreground for the program that the user works in,
// and neither raising a window topmost nor focusing it is shown anywhere else.
void FlashUnlessForeground(HWND window);

#endif
