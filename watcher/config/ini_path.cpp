// Splitting a program path into drive, directory, base name and extension, and joining
// the INI path from them. Works on spans of the path, so no part has a size limit of its
// own; only the joined result is bounded.
#include "watcher/config/ini_path.h"

#include <string.h>

#include "watcher/core/watcher_constants.h"

static PathPart MakePart(const char *text, int length) {
  PathPart part = {text, length};
  return part;
}

void SplitPath(const char *path, PathParts *parts) {
  const char *rest = path;
  int hasDrive = path[0] != '\0' && path[1] == ':';
  parts->drive = MakePart(path, hasDrive ? 2 : 0);
  if (hasDrive) rest += 2;
  const char *nameStart = rest;
  for (const char *p = rest; *p != '\0'; ++p)
    if (*p == '\\' || *p == '/') nameStart = p + 1;
  parts->directory = MakePart(rest, static_cast<int>(nameStart - rest));
  // Searched only after the last separator, so a dotted directory is not an extension.
  const char *dot = strrchr(nameStart, '.');
  const char *end = nameStart + strlen(nameStart);
  const char *baseEnd = dot != 0 ? dot : end;
  parts->baseName = MakePart(nameStart, static_cast<int>(baseEnd - nameStart));
  parts->extension = MakePart(baseEnd, static_cast<int>(end - baseEnd));
}

// Appends length characters of text at *used when they fit with a terminator after them.
static int Append(char *out, int outSize, int *used, const char *text, int length) {
  if (length >= outSize - *used) return 0;
  memcpy(out + *used, text, static_cast<size_t>(length));
  *used += length;
  out[*used] = '\0';
  return 1;
}

int JoinPath(const PathParts *parts, char *out, int outSize) {
  if (outSize < 1) return 0;
  int used = 0;
  int ok = 1;
  out[0] = '\0';
  if (parts->drive.length > 0) {
    const char drive[2] = {parts->drive.text[0], ':'};
    ok = ok && Append(out, outSize, &used, drive, 2);
  }
  const PathPart *dir = &parts->directory;
  ok = ok && Append(out, outSize, &used, dir->text, dir->length);
  if (dir->length > 0) {
    char last = dir->text[dir->length - 1];
    if (last != '\\' && last != '/') ok = ok && Append(out, outSize, &used, "\\", 1);
  }
  ok = ok && Append(out, outSize, &used, parts->baseName.text, parts->baseName.length);
  const PathPart *ext = &parts->extension;
  if (ext->length > 0 && ext->text[0] != '.') ok = ok && Append(out, outSize, &used, ".", 1);
  ok = ok && Append(out, outSize, &used, ext->text, ext->length);
  if (!ok) out[0] = '\0';
  return ok;
}

int DeriveIniPath(const char *programPath, char *out, int outSize) {
  PathParts parts;
  SplitPath(programPath, &parts);
  parts.extension = MakePart(KV_INI_EXTENSION, static_cast<int>(strlen(KV_INI_EXTENSION)));
  return JoinPath(&parts, out, outSize);
}
