// What the window's close button means, from the title bar the desktop draws. No GTK here,
// so the unit tests run it as it is.
#ifndef WATCHER_GTK_TITLE_BAR_H
#define WATCHER_GTK_TITLE_BAR_H

// GTK's own button layout, when the desktop names none.
#define KVG_DEFAULT_LAYOUT "menu:minimize,maximize,close"

// Whether the close button is the user's way to minimize: 1 when the desktop's title-bar
// layout (GTK's gtk-decoration-layout: buttons by name, ',' between them, ':' between the
// left and the right side; null for GTK's default) offers no minimize button, as GNOME's
// "appmenu:close" does. A user then dismisses the pop-up with close, and must not quit the
// watcher by it; where minimize is there, close keeps the Windows meaning.
int KvgCloseMinimizes(const char *decorationLayout);

#endif
