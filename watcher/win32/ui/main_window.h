// The main window of class "sdi": its class registration, creation, system menu edit,
// and its window procedure, which routes every message to a named handler and from
// there to the watcher's rules or to the window's own geometry and painting.
#ifndef WATCHER_WIN32_UI_MAIN_WINDOW_H
#define WATCHER_WIN32_UI_MAIN_WINDOW_H

#include <windows.h>

enum {
  kMainClassStyle = CS_VREDRAW | CS_HREDRAW,
  // A system colour index plus one. It never paints: the erase handler fills the
  // background itself.
  kMainClassBrush = COLOR_APPWORKSPACE + 1,
  // No maximize box: the window has one size only.
  kMainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX,
  kMainWindowExStyle = 0
};

// Registers the class "sdi" with the program's icon, the arrow cursor and the File menu
// of instance. Returns 0 when the system refuses it.
ATOM KvRegisterMainClass(HINSTANCE instance);

// Creates the main window, not yet shown; it centres itself over g_kv.desktop while
// being created, and g_kv.target.window names it from its first handled message on.
// The class must be registered and KvInitProcess called. Returns NULL on failure.
HWND KvCreateMainWindow(HINSTANCE instance);

// Shows the window in the given show state and paints it at once.
void KvShowMainWindow(HWND window, int showState);

// Removes Maximize from the window's system menu and appends a separator and "About
// Korvane 32" (command IDM_SYSABOUT). Keeps the menu in g_kv.systemMenu.
void KvEditSystemMenu(HWND window);

// The window procedure of class "sdi".
LRESULT CALLBACK KvMainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
