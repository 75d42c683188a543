// The watcher's painting: status lines on the main window, grey backgrounds everywhere,
// unless the user's colour scheme is a high-contrast one.
#include "watcher/win32/ui/paint.h"

#include <string.h>

#include "watcher/core/status_lines.h"
#include "watcher/core/watcher_constants.h"
#include "watcher/win32/ui/kv_process.h"

COLORREF KvBackgroundColour() { return RGB(kBackgroundGrey, kBackgroundGrey, kBackgroundGrey); }

COLORREF KvTextColour() { return RGB(kTextGrey, kTextGrey, kTextGrey); }

int KvHighContrastOn() {
  HIGHCONTRASTA scheme = {sizeof scheme, 0, NULL};
  return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof scheme, &scheme, 0) &&
         (scheme.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// The system's own brush of a colour follows the scheme's changes by itself, and is
// never deleted; the grey is made once, and kept for when the scheme ends.
void KvFollowColourScheme(int highContrast) {
  g_kv.highContrast = highContrast;
  g_kv.background = highContrast ? GetSysColorBrush(COLOR_WINDOW) : g_kv.grey;
}

void KvSetUpColours() {
  g_kv.grey = CreateSolidBrush(KvBackgroundColour());
  KvFollowColourScheme(KvHighContrastOn());
}

void KvSetColours(HDC dc) {
  int scheme = g_kv.highContrast;
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, scheme ? GetSysColor(COLOR_WINDOW) : KvBackgroundColour());
  SetTextColor(dc, scheme ? GetSysColor(COLOR_WINDOWTEXT) : KvTextColour());
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

INT_PTR KvEraseDialog(HWND dialog, HDC dc, HBRUSH brush) {
  if (g_kv.highContrast) return 0;
  FillClient(dialog, dc, brush);
  return 1;
}

void KvPaintDialog(HWND dialog) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(dialog, &ps);
  KvSetColours(dc);
  EndPaint(dialog, &ps);
}

INT_PTR KvColourLabel(HDC dc, HBRUSH brush) {
  if (g_kv.highContrast) return 0;
  KvSetColours(dc);
  return reinterpret_cast<INT_PTR>(brush);
}
