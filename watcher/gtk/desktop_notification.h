// The desktop notification of a native Wayland korvane, whose window cannot come up above
// the others by itself: org.freedesktop.Notifications over GDBus, saying that the flag is
// on, with a default action that brings the window up.
#ifndef WATCHER_GTK_DESKTOP_NOTIFICATION_H
#define WATCHER_GTK_DESKTOP_NOTIFICATION_H

// Sends the notification "Flag is On..." with name, shown as itself whatever it holds
// (the body may be read as markup), in place of one sent before. When the user takes its
// default action, activate is called on the main loop with the activation token the
// notification server gave for it, or null. Sent without waiting; a session without a
// notification server only misses it.
void KvgNotifyFlag(const char *name, void (*activate)(const char *token));

// Withdraws the notification sent, if any, also one whose sending has not yet answered.
void KvgWithdrawNotification(void);

// The notification's body: name escaped for the body markup. Free it with g_free.
char *KvgNotificationBody(const char *name);

#endif
