// The desktop notification of a native Wayland korvane, whose window cannot come up above
// the others by itself: org.freedesktop.Notifications over GDBus, saying that the flag is
// on. It names korvane's desktop entry and no default action, so that a click on it has
// the desktop bring the window up with the focus itself: GNOME Shell 43 passes a program
// no activation token with a default action, and its own request for the focus would
// only be marked as "ready".
#ifndef WATCHER_GTK_DESKTOP_NOTIFICATION_H
#define WATCHER_GTK_DESKTOP_NOTIFICATION_H

// Sends the notification "Flag is On..." with name, shown as itself whatever it holds
// (the body may be read as markup), in place of one sent before. Sent without waiting; a
// session without a notification server only misses it.
void KvgNotifyFlag(const char *name);

// Withdraws the notification sent, if any, also one whose sending has not yet answered.
void KvgWithdrawNotification(void);

// The notification's body: name escaped for the body markup. Free it with g_free.
char *KvgNotificationBody(const char *name);

#endif
