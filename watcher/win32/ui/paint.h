// Drawing of the main window and the dialogs: the watcher's grey background and black
// status text, or a high-contrast scheme's colours, kept apart from the message plumbing.
#ifndef WATCHER_WIN32_UI_PAINT_H
#define WATCHER_WIN32_UI_PAINT_H

#include <windows.h>

#include "watcher/core/watcher_state.h"

// The watcher's two colours.
COLORREF KvBackgroundColour();
COLORREF KvTextColour();

// 1 when the user's colour scheme is a high-contrast one (SPI_GETHIGHCONTRAST,
// HCF_HIGHCONTRASTON), else 0.
int KvHighContrastOn();

// Follows the colour scheme, highContrast 1 for a high-contrast one: the main window then
// paints in the system's window and window text colours, and the dialogs are left to the
// system's painting, as any dialog is; otherwise both paint in the watcher's grey
// (g_kv.grey) and black. Sets g_kv.highContrast and g_kv.background.
void KvFollowColourScheme(int highContrast);

// Start-up: makes the grey brush, g_kv.grey, and follows the colour scheme in use.
void KvSetUpColours();

// Sets dc to opaque drawing with the colour scheme's background and text colours: the
// grey and black, or a high-contrast scheme's window and window text colours.
void KvSetColours(HDC dc);

// Handles WM_PAINT of the main window: draws the status lines that the state calls for,
// in the device context's default font, between BeginPaint and EndPaint.
void KvPaintStatus(HWND window, const WatcherState *state);

// Handles WM_ERASEBKGND of the main window on dc: fills the client area with brush,
// the brush origin at the client origin. Returns 1 (erased).
LRESULT KvEraseMainWindow(HWND window, HDC dc, HBRUSH brush);

// Handles WM_ERASEBKGND of a dialog on dc: fills its client area with brush and returns 1,
// or, in a high-contrast scheme, returns 0, for the system's own erase.
INT_PTR KvEraseDialog(HWND dialog, HDC dc, HBRUSH brush);

// Handles WM_PAINT of a dialog: the colours are set, nothing is drawn.
void KvPaintDialog(HWND dialog);

// Handles WM_CTLCOLORSTATIC of a dialog: a label (or the icon) is drawn on dc in the
// watcher's colours and filled with brush, which is returned for the dialog procedure to
// return. Without it, labels take the system's button face, which the grey matches on no
// Windows of this century. The name field, an edit control, asks another message and
// stays white. In a high-contrast scheme, returns 0: the system's colours.
INT_PTR KvColourLabel(HDC dc, HBRUSH brush);

#endif
