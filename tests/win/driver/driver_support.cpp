// Process, window and screen helpers of the end-to-end driver.
#include "tests/win/driver/driver_support.h"

#include <stdio.h>
#include <string.h>

int StartProgram(const char *commandLine, const char *directory, Program *program) {
  STARTUPINFOA startup;
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  memset(program, 0, sizeof *program);
  char line[2048];
  snprintf(line, sizeof line, "%s", commandLine);
  return CreateProcessA(NULL, line, NULL, NULL, FALSE, 0, NULL, directory, &startup, &program->info)
             ? 1
             : 0;
}

long WaitForExit(Program *program, DWORD timeoutMs) {
  if (program->info.hProcess == NULL) return -1;
  if (WaitForSingleObject(program->info.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(program->info.hProcess, &code);
  return static_cast<long>(code);
}

void StopProgram(Program *program) {
  if (program->info.hProcess == NULL) return;
  if (WaitForSingleObject(program->info.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(program->info.hProcess, 99);
    WaitForSingleObject(program->info.hProcess, 5000);
  }
  CloseHandle(program->info.hThread);
  CloseHandle(program->info.hProcess);
  memset(program, 0, sizeof *program);
}

long RunToEnd(const char *commandLine, const char *directory) {
  Program program;
  if (!StartProgram(commandLine, directory, &program)) return -1;
  long code = WaitForExit(&program, 60000);
  StopProgram(&program);
  return code;
}

struct WindowSearch {
  DWORD pid;
  const char *className;
  const char *title;
  HWND found;
};

static BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
  WindowSearch *search = reinterpret_cast<WindowSearch *>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid) return TRUE;
  char text[256];
  if (search->className != NULL) {
    GetClassNameA(window, text, sizeof text);
    if (strcmp(text, search->className) != 0) return TRUE;
  }
  if (search->title != NULL) {
    GetWindowTextA(window, text, sizeof text);
    if (strcmp(text, search->title) != 0) return TRUE;
  }
  search->found = window;
  return FALSE;
}

HWND FindProcessWindow(DWORD pid, const char *className, const char *title) {
  WindowSearch search = {pid, className, title, NULL};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int WaitUntil(int (*condition)(void *ctx), void *ctx, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition(ctx)) return 1;
    if (GetTickCount() - start > timeoutMs) return 0;
    Sleep(50);
  }
}

void Settle(DWORD ms) { Sleep(ms); }

int IsTopmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

HWND FocusOf(HWND window) {
  GUITHREADINFO info;
  memset(&info, 0, sizeof info);
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, NULL), &info)) return NULL;
  return info.hwndFocus;
}

int HasKeyboardFocus(HWND window) { return FocusOf(window) == window; }

void TextOf(HWND window, char *buffer, int size) {
  buffer[0] = '\0';
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, static_cast<WPARAM>(size),
                      reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000, &result);
}

COLORREF ClientPixel(HWND window, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(window, &point);
  HDC screen = GetDC(NULL);
  COLORREF colour = GetPixel(screen, point.x, point.y);
  ReleaseDC(NULL, screen);
  return colour;
}

int DarkPixelsInBand(HWND window, int top, int height) {
  RECT client;
  GetClientRect(window, &client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  HDC screen = GetDC(NULL);
  int dark = 0;
  for (int y = top; y < top + height && y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x) {
      COLORREF c = GetPixel(screen, origin.x + x, origin.y + y);
      if (c != CLR_INVALID && GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) < 64) ++dark;
    }
  ReleaseDC(NULL, screen);
  return dark;
}

static int WriteBitmapFile(const char *path, HDC dc, HBITMAP bitmap, int width, int height) {
  BITMAPINFOHEADER header;
  memset(&header, 0, sizeof header);
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  int stride = (width * 3 + 3) & ~3;
  DWORD imageSize = static_cast<DWORD>(stride) * static_cast<DWORD>(height);
  static unsigned char pixels[4096 * 4096 * 3];
  if (imageSize > sizeof pixels) return 0;
  GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels,
            reinterpret_cast<BITMAPINFO *>(&header), DIB_RGB_COLORS);
  BITMAPFILEHEADER file;
  memset(&file, 0, sizeof file);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + imageSize;
  FILE *out = fopen(path, "wb");
  if (out == NULL) return 0;
  fwrite(&file, sizeof file, 1, out);
  fwrite(&header, sizeof header, 1, out);
  fwrite(pixels, 1, imageSize, out);
  fclose(out);
  return 1;
}

int SaveScreenshot(HWND window, const char *path) {
  RECT r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (window != NULL) {
    GetWindowRect(window, &r);
    InflateRect(&r, 24, 24);
    if (r.left < 0) r.left = 0;
    if (r.top < 0) r.top = 0;
  }
  int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(NULL);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  int ok = WriteBitmapFile(path, memory, bitmap, width, height);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(NULL, screen);
  return ok;
}
