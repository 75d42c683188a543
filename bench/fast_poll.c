/* Preloaded into korvane by the idle benchmark only: every GLib timeout runs a thousand
   times sooner, so a thousand raise/delete cycles take minutes, not hours. The program
   itself is unchanged; this stands between it and GLib. */
#define _GNU_SOURCE
#include <dlfcn.h>

typedef int (*SourceFunc)(void *data);

unsigned int g_timeout_add(unsigned int interval, SourceFunc function, void *data) {
  static unsigned int (*real)(unsigned int, SourceFunc, void *);
  if (real == 0) *(void **)&real = dlsym(RTLD_NEXT, "g_timeout_add");
  return real(interval / 1000 + 1, function, data);
}
