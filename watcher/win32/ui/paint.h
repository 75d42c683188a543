// Drawing of the main window and the dialogs: the watcher's grey background and black
// status text, kept apart from the message plumbing.
#ifndef WATCHER_WIN32_UI_PAINT_H
#define WATCHER_WIN32_UI_PAINT_H

#include <windows.h>

#include "watcher/core/watcher_state.h"

// The watcher's two colours.
COLORREF KvBackgroundColour();
COLORREF KvTextColour();

// Sets dc to opaque drawing with the grey background and the black text colour.
void KvSetColours(HDC dc);

// Handles WM_PAINT of the main window: draws the status lines that the state calls for,
// in the device context's default font, between BeginPaint and EndPaint.
void KvPaintStatus(HWND window, const WatcherState *state);

// Handles WM_ERASEBKGND of the main window on dc: fills the client area with brush,
// the brush origin at the client origin. Returns 1 (erased).
LRESULT KvEraseMainWindow(HWND window, HDC dc, HBRUSH brush);

// Handles WM_ERASEBKGND of a dialog on dc: fills its client area with brush.
void KvEraseDialog(HWND dialog, HDC dc, HBRUSH brush);

// Handles WM_PAINT of a dialog: the colours are set, nothing is drawn.
void KvPaintDialog(HWND dialog);

// Handles WM_CTLCOLORSTATIC of a dialog: a label (or the icon) is drawn on dc in the
// watcher's colours and filled with brush, which is returned for the dialog procedure to
// return. Without it, labels take the system's button face, which the grey matches on no
// Windows of this century. The name field, an edit control, asks another message and
// stays white.
INT_PTR KvColourLabel(HDC dc, HBRUSH brush);

#endif
