// The close button's meaning from the title-bar layout.
#include "watcher/gtk/title_bar.h"

#include <string.h>

int KvgCloseMinimizes(const char *decorationLayout) {
  const char *layout = decorationLayout != nullptr ? decorationLayout : KVG_DEFAULT_LAYOUT;
  for (const char *p = layout; (p = strstr(p, "minimize")) != nullptr; p += strlen("minimize")) {
    // A whole button name, not a part of another.
    int starts = p == layout || strchr(",: ", p[-1]) != nullptr;
    if (starts && strchr(",: ", p[strlen("minimize")]) != nullptr) return 0;
  }
  return 1;
}
