// korvane's command line on Linux: its own options, and GTK's (--display and the like).
#ifndef WATCHER_GTK_OPTIONS_H
#define WATCHER_GTK_OPTIONS_H

// Takes the options off the front of argv, up to the first name or "--", and answers
// korvane's own before GTK starts, so that they need no display: --help and --version
// print on standard output; --start-at-login and --no-start-at-login write or remove
// the user's login entry. An option neither korvane nor GTK knows is refused with one
// line and the usage on standard error. Returns the exit status when the program is not
// to run (0, 1 when the login entry could not be written, 2 for an unknown option), or
// -1 when it is; argv then holds the program and the name's words, with a leading "--"
// only ending the options.
int AnswerOptions(int *argc, char ***argv);

#endif
