// COM on the program's one thread, through OLE32 loaded at run time, for the few COM
// services that the watcher asks for and can do without.
#ifndef WATCHER_WIN32_PLATFORM_WIN32_COM_H
#define WATCHER_WIN32_PLATFORM_WIN32_COM_H

#include <windows.h>

typedef HRESULT(WINAPI *CoCreateInstanceCall)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID *);

// Loads OLE32 and sets COM up on the calling thread (single-threaded apartment) at the
// first call, and keeps both for the process: OLE32 is not one to unload while the
// process runs. Returns OLE32's CoCreateInstance, or null where OLE32 cannot be had.
CoCreateInstanceCall StartCom();

#endif
