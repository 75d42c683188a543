// Calls that Windows XP lacks are looked up at run time: a program that imported one
// would not start on XP at all.
#ifndef WATCHER_WIN32_PLATFORM_WIN32_LATE_BOUND_H
#define WATCHER_WIN32_PLATFORM_WIN32_LATE_BOUND_H

#include <windows.h>

// The function `name` of module as a Call, or null when module is null or lacks it.
template <typename Call>
Call LateBound(HMODULE module, const char *name) {
  FARPROC found = module != NULL ? GetProcAddress(module, name) : NULL;
  // Through a pointer to a function of no arguments, which may be cast to any other.
  return reinterpret_cast<Call>(reinterpret_cast<void (*)(void)>(found));
}

#endif
