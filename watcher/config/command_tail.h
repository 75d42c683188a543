// The command-line tail: the command line without the program's own name, computed the
// way the runtime's start-up code hands it to WinMain. Portable.
#ifndef WATCHER_CONFIG_COMMAND_TAIL_H
#define WATCHER_CONFIG_COMMAND_TAIL_H

// Returns a pointer into commandLine where the tail starts. A leading '"' skips up to
// and including the next '"' (to the end when there is none); otherwise every character
// above the blank is skipped. Then characters 1 to 32 (blanks, tabs, control characters)
// are skipped. Everything after, blanks and quotes included, is the tail. Characters are
// compared as unsigned bytes, so bytes above 127 belong to the program name.
const char *CommandLineTail(const char *commandLine);

#endif
