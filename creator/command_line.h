// Splitting a Windows command line into arguments by the classic C runtime's rules.
// QUELLARD.EXE splits its own line instead of trusting the runtime DLL, because runtimes
// differ on one rule (a doubled quote inside quotes) and the same batch line must create
// the same files on every Windows. Portable.
#ifndef CREATOR_COMMAND_LINE_H
#define CREATOR_COMMAND_LINE_H

#include <stddef.h>

// Splits line into argv[0..argc-1] and returns argc. argv[0] is the program name: a
// quoted one runs to the next quote, an unquoted one to the first blank or tab. Then:
// arguments are separated by blanks and tabs; quotes group and are removed; 2n
// backslashes before a quote give n and the quote opens or closes a quoted stretch,
// 2n+1 give n and a literal quote; other backslashes are literal; inside a quoted
// stretch two quotes give one literal quote and end the stretch; "" alone is an empty
// argument. No wildcard is expanded.
// On a double-byte code page the byte after a lead byte is a character's second half,
// copied as it is and never read as a blank, backslash or quote (0x95 0x5C is one
// character, not a letter and a backslash): isLeadByte tells the lead bytes of the
// caller's code page, and null means a single-byte one.
// Called with argv and text null, it only counts: argc is returned and *textSize gets
// the bytes the arguments need with their terminators. Called again with argv holding
// argc + 1 pointers (the last set to null) and text holding *textSize bytes, it fills
// them.
typedef int (*LeadBytePredicate)(unsigned char byte);
int SplitCommandLine(const char *line, LeadBytePredicate isLeadByte, char **argv, char *text,
                     size_t *textSize);

#endif
