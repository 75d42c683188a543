// The command-line splitter: one walk over the line that either counts or fills, so the
// caller can size its buffers exactly and no name ever meets a fixed limit.
#include "creator/command_line.h"

struct Splitter {
  LeadBytePredicate isLeadByte;  // null on a single-byte code page
  char **argv;                   // null while counting
  char *text;                    // null while counting
  int argc;
  size_t size;  // bytes of text used so far
};

static void Emit(Splitter *s, char c) {
  if (s->text != 0) s->text[s->size] = c;
  ++s->size;
}

static void StartArgument(Splitter *s) {
  if (s->argv != 0) s->argv[s->argc] = s->text + s->size;
  ++s->argc;
}

static int IsBlank(char c) { return c == ' ' || c == '\t'; }

// Copies the character at p, both bytes of a double-byte one, and returns the next.
static const char *CopyCharacter(Splitter *s, const char *p) {
  if (s->isLeadByte != 0 && s->isLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0')
    Emit(s, *p++);
  Emit(s, *p);
  return p + 1;
}

// The program name has no escapes: a quoted one ends at the next quote, and whatever
// follows that quote starts the first argument, blank or not.
static const char *ProgramName(Splitter *s, const char *p) {
  StartArgument(s);
  if (*p == '"') {
    for (++p; *p != '\0' && *p != '"';) p = CopyCharacter(s, p);
    if (*p == '"') ++p;
  } else {
    while (*p != '\0' && !IsBlank(*p)) p = CopyCharacter(s, p);
  }
  Emit(s, '\0');
  return p;
}

// One argument starting at p, which is not a blank; returns where it ended.
static const char *Argument(Splitter *s, const char *p) {
  int quoted = 0;
  StartArgument(s);
  for (;;) {
    size_t slashes = 0;
    while (*p == '\\') {
      ++slashes;
      ++p;
    }
    int copy = 1;
    if (*p == '"') {
      if (slashes % 2 == 0) {
        // Two quotes inside a quoted stretch: the second is kept and the stretch ends.
        if (quoted && p[1] == '"')
          ++p;
        else
          copy = 0;
        quoted = !quoted;
      }
      slashes /= 2;
    }
    for (; slashes > 0; --slashes) Emit(s, '\\');
    if (*p == '\0' || (!quoted && IsBlank(*p))) break;
    p = copy ? CopyCharacter(s, p) : p + 1;
  }
  Emit(s, '\0');
  return p;
}

int SplitCommandLine(const char *line, LeadBytePredicate isLeadByte, char **argv, char *text,
                     size_t *textSize) {
  Splitter s = {isLeadByte, argv, text, 0, 0};
  const char *p = ProgramName(&s, line);
  for (;;) {
    while (IsBlank(*p)) ++p;
    if (*p == '\0') break;
    p = Argument(&s, p);
  }
  if (argv != 0) argv[s.argc] = 0;
  *textSize = s.size;
  return s.argc;
}
