// COM started once, on the first service that needs it.
#include "watcher/win32/platform/win32_com.h"

#include "watcher/win32/platform/win32_late_bound.h"

typedef HRESULT(WINAPI *CoInitializeCall)(LPVOID reserved);

static CoCreateInstanceCall s_create;

CoCreateInstanceCall StartCom() {
  if (s_create != NULL) return s_create;
  HMODULE ole = LoadLibraryA("OLE32");
  CoInitializeCall initialize = LateBound<CoInitializeCall>(ole, "CoInitialize");
  if (initialize == NULL) return NULL;
  initialize(NULL);
  s_create = LateBound<CoCreateInstanceCall>(ole, "CoCreateInstance");
  return s_create;
}
