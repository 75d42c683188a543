// The INI file's path, derived from the program file's path: same drive and directory,
// same base name, extension ".INI". Portable.
#ifndef WATCHER_CONFIG_INI_PATH_H
#define WATCHER_CONFIG_INI_PATH_H

// A stretch of a path, not terminated: length characters from text.
struct PathPart {
  const char *text;
  int length;
};

struct PathParts {
  PathPart drive;      // "X:" when the second character is ':', else empty
  PathPart directory;  // up to and including the last '\' or '/', else empty
  PathPart baseName;   // between the directory and the extension
  PathPart extension;  // from the last '.' after the directory, dot included, else empty
};

// Splits path into its four parts, each pointing into path. Parts of any length are
// kept whole, so long base names and extensions are never cut.
void SplitPath(const char *path, PathParts *parts);

// Joins drive, directory, base name and extension into out (outSize bytes with the
// terminator): the drive letter and ':' when there is a drive; the directory, with a '\'
// added when it is non-empty and ends in neither '\' nor '/'; the base name; the
// extension, with a '.' added in front when it has none. Returns 1, or 0 with out ""
// when the result does not fit.
int JoinPath(const PathParts *parts, char *out, int outSize);

// Puts the INI path for programPath into out (outSize bytes with the terminator).
// Returns 1, or 0 with out "" when it does not fit.
int DeriveIniPath(const char *programPath, char *out, int outSize);

#endif
