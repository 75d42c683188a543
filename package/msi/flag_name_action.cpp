/* The installer's one custom action, CheckFlagName, run before costing in both sequences.
   Windows Installer cannot measure a property's length or read an INI file outside the
   Windows folder, so this small DLL does both:
   - it refuses a FLAGFILE that Korvane could not read back whole (it reads at most
     kNameReadSize - 1 characters of its INI value), with a message that the user, or the
     install log, sees;
   - without FLAGFILE, it takes the name in the Korvane.INI of this product, when a repair
     or reinstall runs, or of the older product that an upgrade replaces. The INI entry is
     then written again with the name it holds, so no run without FLAGFILE changes it,
     and an upgrade carries it over although the older product's removal takes it away. */
#include <string.h>
#include <windows.h>

// After windows.h, which they need.
#include <msi.h>
#include <msiquery.h>

#include "watcher/core/watcher_constants.h"
#include "watcher/core/watcher_state.h"

#define FLAG_PROPERTY "FLAGFILE"
#define UPGRADE_PROPERTY "WIX_UPGRADE_DETECTED"
#define INI_FILE_NAME "Korvane.INI"
#define GUID_LENGTH 38

static const char kTooLong[] =
    "FLAGFILE is too long: Korvane reads at most 63 characters of its flag name from "
    "Korvane.INI. Give a shorter name, for example through a mapped drive or a share "
    "nearer the root.";

static void ReportError(MSIHANDLE install, const char *text) {
  MSIHANDLE record = MsiCreateRecord(0);
  MsiRecordSetStringA(record, 0, text);
  MsiProcessMessage(
      install, static_cast<INSTALLMESSAGE>(INSTALLMESSAGE_ERROR | MB_OK | MB_ICONERROR), record);
  MsiCloseHandle(record);
}

/* Copies into path the install folder of the product whose code starts list (codes
   separated by ';'), with a trailing backslash; returns 0 when that product has none. */
static int InstallFolder(const char *list, char *path, DWORD pathSize) {
  char product[GUID_LENGTH + 1];
  if (strlen(list) < GUID_LENGTH) return 0;
  memcpy(product, list, GUID_LENGTH);
  product[GUID_LENGTH] = '\0';
  DWORD size = pathSize - 1;
  if (MsiGetProductInfoA(product, INSTALLPROPERTY_INSTALLLOCATION, path, &size) != ERROR_SUCCESS ||
      size == 0)
    return 0;
  if (path[size - 1] != '\\') strcat(path, "\\");
  return 1;
}

/* Reads the flag name from the Korvane.INI of this product, if it is installed, or else
   of the older product that the upgrade found; leaves name empty when there is none. */
static void ReadSavedName(MSIHANDLE install, char *name, DWORD nameSize) {
  static const char *const kOwners[] = {"ProductCode", UPGRADE_PROPERTY};
  char list[GUID_LENGTH * 8 + 1], path[MAX_PATH + sizeof INI_FILE_NAME];
  name[0] = '\0';
  for (const char *owner : kOwners) {
    DWORD size = sizeof list;
    if (MsiGetPropertyA(install, owner, list, &size) != ERROR_SUCCESS) continue;
    if (!InstallFolder(list, path, MAX_PATH)) continue;
    strcat(path, INI_FILE_NAME);
    GetPrivateProfileStringA(KV_INI_SECTION, KV_INI_KEY, "", name, nameSize, path);
    return;
  }
}

extern "C" __declspec(dllexport) UINT __stdcall CheckFlagName(MSIHANDLE install) {
  char name[kNameReadSize];
  DWORD size = sizeof name;
  UINT read = MsiGetPropertyA(install, FLAG_PROPERTY, name, &size);
  if (read == ERROR_MORE_DATA) {
    ReportError(install, kTooLong);
    return ERROR_INSTALL_FAILURE;
  }
  if (read == ERROR_SUCCESS && size == 0) {
    ReadSavedName(install, name, sizeof name);
    if (name[0] != '\0') MsiSetPropertyA(install, FLAG_PROPERTY, name);
  }
  return ERROR_SUCCESS;
}
