// What the end-to-end driver needs to watch and work a running Korvane from another
// process: starting programs, finding windows, waiting for conditions, reading what the
// window shows on the screen, and saving screenshots.
#ifndef TESTS_WIN_DRIVER_DRIVER_SUPPORT_H
#define TESTS_WIN_DRIVER_DRIVER_SUPPORT_H

#include <windows.h>

// A started program: its process and, once found, its main window.
struct Program {
  PROCESS_INFORMATION info;
  HWND window;
};

// Starts commandLine in directory; returns 0 when it cannot be started.
int StartProgram(const char *commandLine, const char *directory, Program *program);
// Waits for the program to end; returns its exit code, or -1 when it did not end in time.
long WaitForExit(Program *program, DWORD timeoutMs);
// Ends the program if it still runs and releases its handles.
void StopProgram(Program *program);
// Runs a program to its end and returns its exit code (-1 when it could not be run).
long RunToEnd(const char *commandLine, const char *directory);

// The top-level window of process pid with the given class and/or title (NULL: any).
HWND FindProcessWindow(DWORD pid, const char *className, const char *title);

// Polls condition(ctx) every 50 ms until it holds or timeoutMs pass. Returns whether it
// held.
int WaitUntil(int (*condition)(void *ctx), void *ctx, DWORD timeoutMs);
// Lets the watched program handle what was posted to it.
void Settle(DWORD ms);

// Window facts read from outside the process.
int IsTopmost(HWND window);
int HasKeyboardFocus(HWND window);  // the focus of the window's thread is this window
HWND FocusOf(HWND window);          // the focused window of window's thread
// Text of a window or control in another process (WM_GETTEXT across the process).
void TextOf(HWND window, char *buffer, int size);

// Counts the dark pixels of the client band [top, top + height) from x 0 to the client
// width, as shown on the screen: text drawn in black there leaves dark pixels.
int DarkPixelsInBand(HWND window, int top, int height);
// The colour shown on the screen at a client point.
COLORREF ClientPixel(HWND window, int x, int y);

// Saves the screen around window (its rectangle with a margin) as a 24-bit BMP file.
int SaveScreenshot(HWND window, const char *path);

#endif
