// Reads back what Windows shows of the two programs without running them: the version
// record of QUELLARD.EXE and of Korvane.exe, found through its own translation table as
// a file's properties find it, and the icon that Explorer and shortcuts take from
// Korvane.exe (its first icon group).
//   versions_test <QUELLARD.EXE> <Korvane.exe>
#include <windows.h>
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>

#include "creator/version.h"
#include "tests/win/common/win_check.h"
#include "watcher/resources/resource.h"

struct ExpectedRecord {
  const char *description;
  const char *internalName;
  const char *originalFilename;
};

static const ExpectedRecord kQuellard = {QL_FILE_DESCRIPTION, QL_INTERNAL_NAME,
                                         QL_ORIGINAL_FILENAME};
static const ExpectedRecord kKorvane = {KV_FILE_DESCRIPTION, KV_INTERNAL_NAME,
                                        KV_ORIGINAL_FILENAME};

static const char *BaseName(const char *path) {
  const char *base = path;
  for (const char *c = path; *c != '\0'; ++c) {
    if (*c == '\\' || *c == '/' || *c == ':') base = c + 1;
  }
  return base;
}

static const char *StringValue(void *data, const char *block, const char *name) {
  char path[96];
  wsprintfA(path, "%s%s", block, name);
  char *value = NULL;
  UINT length = 0;
  if (!VerQueryValueA(data, path, reinterpret_cast<void **>(&value), &length)) return NULL;
  return value;
}

static void CheckRecord(const char *exe, const ExpectedRecord *want) {
  printf("version record of %s\n", exe);
  static BYTE data[8192];
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(exe, &handle);
  if (!CHECK(size > 0 && size <= sizeof data)) return;
  if (!CHECK(GetFileVersionInfoA(exe, 0, size, data))) return;

  VS_FIXEDFILEINFO *fixed = NULL;
  UINT length = 0;
  if (!CHECK(VerQueryValueA(data, "\\", reinterpret_cast<void **>(&fixed), &length))) return;
  CHECK_INT(fixed->dwSignature, VS_FFI_SIGNATURE);
  CHECK_INT(fixed->dwFileVersionMS, MAKELONG(KV_VERSION_MINOR, KV_VERSION_MAJOR));
  CHECK_INT(fixed->dwFileVersionLS, MAKELONG(KV_VERSION_BUILD, KV_VERSION_PATCH));
  CHECK_INT(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  CHECK_INT(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
  CHECK_INT(fixed->dwFileOS, VOS_NT_WINDOWS32);
  CHECK_INT(fixed->dwFileType, VFT_APP);
  // The numbers and the text are defined apart; they must say the same version.
  char numbers[32];
  wsprintfA(numbers, "%d.%d.%d.%d", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
            HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
  CHECK_TEXT(numbers, KV_VERSION_TEXT);

  WORD *translation = NULL;
  if (!CHECK(VerQueryValueA(data, "\\VarFileInfo\\Translation",
                            reinterpret_cast<void **>(&translation), &length) &&
             length >= 2 * sizeof(WORD)))
    return;
  char block[40];
  wsprintfA(block, "\\StringFileInfo\\%04X%04X\\", translation[0], translation[1]);
  CHECK_TEXT(StringValue(data, block, "ProductName"), KV_PRODUCT_NAME);
  CHECK_TEXT(StringValue(data, block, "ProductVersion"), KV_VERSION_TEXT);
  CHECK_TEXT(StringValue(data, block, "FileVersion"), KV_VERSION_TEXT);
  CHECK_TEXT(StringValue(data, block, "FileDescription"), want->description);
  CHECK_TEXT(StringValue(data, block, "InternalName"), want->internalName);
  CHECK_TEXT(StringValue(data, block, "OriginalFilename"), want->originalFilename);
  // The name the build gave the file is the one the record claims.
  CHECK_TEXT(BaseName(exe), want->originalFilename);
}

static BOOL CALLBACK FirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
  *reinterpret_cast<LPSTR *>(found) = name;
  return FALSE;
}

// Explorer shows a program's first icon group; it must be Korvane's one icon.
static void CheckIcon(const char *exe) {
  printf("icon of %s\n", exe);
  HMODULE module = LoadLibraryExA(exe, NULL, LOAD_LIBRARY_AS_DATAFILE);
  if (!CHECK(module != NULL)) return;
  CHECK(FindResourceA(module, MAKEINTRESOURCEA(IDI_APP), RT_GROUP_ICON) != NULL);
  LPSTR first = NULL;
  EnumResourceNamesA(module, RT_GROUP_ICON, FirstName, reinterpret_cast<LONG_PTR>(&first));
  CHECK(first != NULL && IS_INTRESOURCE(first));
  CHECK_INT(reinterpret_cast<ULONG_PTR>(first), IDI_APP);
  FreeLibrary(module);

  CHECK_INT(PtrToUint(ExtractIconExA(exe, -1, NULL, NULL, 0)), 1);
  HICON large = NULL;
  HICON small = NULL;
  // The count returned for a large and a small icon together differs between systems.
  CHECK(PtrToUint(ExtractIconExA(exe, 0, &large, &small, 1)) > 0);
  CHECK(small != NULL);
  ICONINFO info;
  if (CHECK(large != NULL) && CHECK(GetIconInfo(large, &info))) {
    CHECK(info.fIcon);
    BITMAP colour;
    if (CHECK(info.hbmColor != NULL && GetObjectA(info.hbmColor, sizeof colour, &colour) != 0)) {
      CHECK_INT(colour.bmWidth, GetSystemMetrics(SM_CXICON));
      CHECK_INT(colour.bmHeight, GetSystemMetrics(SM_CYICON));
    }
    if (info.hbmColor != NULL) DeleteObject(info.hbmColor);
    if (info.hbmMask != NULL) DeleteObject(info.hbmMask);
  }
  if (large != NULL) DestroyIcon(large);
  if (small != NULL) DestroyIcon(small);
}

int main(int argc, char **argv) {
  if (argc != 3) {
    printf("usage: versions_test <QUELLARD.EXE> <Korvane.exe>\n");
    return 2;
  }
  CheckRecord(argv[1], &kQuellard);
  CheckRecord(argv[2], &kKorvane);
  CheckIcon(argv[2]);
  return WinCheckSummary();
}
