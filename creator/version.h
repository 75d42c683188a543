/* QUELLARD.EXE's version record texts. The product, maker and version are the release's,
   which Korvane carries too, so that both programs of a release report the same; only
   #define lines, for windres and the C++ compiler alike. */
#ifndef CREATOR_VERSION_H
#define CREATOR_VERSION_H

#include "generated/release.h"

#define QL_FILE_DESCRIPTION "Quellard flag file creator"
#define QL_INTERNAL_NAME "QUELLARD"
#define QL_ORIGINAL_FILENAME "QUELLARD.EXE"

#endif
