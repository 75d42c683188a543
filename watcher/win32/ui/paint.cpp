// The watcher's painting: status lines on the main window, grey backgrounds everywhere.
#include "watcher/win32/ui/paint.h"

#include <string.h>

#include "watcher/core/status_lines.h"
#include "watcher/core/watcher_constants.h"

COLORREF KvBackgroundColour() { return RGB(kBackgroundGrey, kBackgroundGrey, kBackgroundGrey); }

COLORREF KvTextColour() { return RGB(kTextGrey, kTextGrey, kTextGrey); }

void KvSetColours(HDC dc) {
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, KvBackgroundColour());
  SetTextColor(dc, KvTextColour());
}

void KvPaintStatus(HWND window, const WatcherState *state) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  KvSetColours(dc);
  StatusLine lines[kMaxStatusLines];
  int count = GetStatusLines(state, lines);
  for (int i = 0; i < count; ++i) {
    TextOutA(dc, lines[i].x, lines[i].y, lines[i].text, static_cast<int>(strlen(lines[i].text)));
  }
  EndPaint(window, &ps);
}

// The watcher's colours on dc, and the window's client area filled with brush.
static void FillClient(HWND window, HDC dc, HBRUSH brush) {
  RECT client;
  GetClientRect(window, &client);
  KvSetColours(dc);
  FillRect(dc, &client, brush);
}

LRESULT KvEraseMainWindow(HWND window, HDC dc, HBRUSH brush) {
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  SetBrushOrgEx(dc, origin.x, origin.y, NULL);
  FillClient(window, dc, brush);
  return 1;
}

void KvEraseDialog(HWND dialog, HDC dc, HBRUSH brush) { FillClient(dialog, dc, brush); }

void KvPaintDialog(HWND dialog) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(dialog, &ps);
  KvSetColours(dc);
  EndPaint(dialog, &ps);
}

INT_PTR KvColourLabel(HDC dc, HBRUSH brush) {
  KvSetColours(dc);
  return reinterpret_cast<INT_PTR>(brush);
}
