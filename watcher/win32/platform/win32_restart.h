// Korvane's registration with the Restart Manager, through which Windows Vista and later
// close running programs whose files an installer replaces, and start again those that
// registered.
#ifndef WATCHER_WIN32_PLATFORM_WIN32_RESTART_H
#define WATCHER_WIN32_PLATFORM_WIN32_RESTART_H

// Asks Windows to start the program again, with tail (its command-line tail, in the ANSI
// code page) as its arguments, after an installer or an update has closed it; not after
// a reboot, when the logon entry starts it, nor when the tail cannot be kept whole.
// Returns 1 when registered, 0 when not (always on Windows XP, which has no such call).
int RegisterForRestart(const char *tail);

// Withdraws the registration, for a session that ends by logoff or shutdown: Windows 10
// and later, with "restart apps" on, start the registered programs again after the next
// logon, whatever the registration's flags say, and the logon entry starts Korvane too.
// Nothing happens on Windows XP.
void UnregisterForRestart();

#endif
