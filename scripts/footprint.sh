#!/usr/bin/env bash
# Builds the Windows programs and the footprint floor, then prints their sizes and
# ratios (bench/footprint.sh). Takes the native build folder, whose Windows tree is
# win32/ inside it, or a Windows build folder itself; build/ when none is given.
#   scripts/footprint.sh [build dir]
set -euo pipefail
dir=${1:-build}
[ -f "$dir/win32/CMakeCache.txt" ] && dir=$dir/win32
grep -q '^CMAKE_TOOLCHAIN_FILE:.*mingw-i686.cmake$' "$dir/CMakeCache.txt" 2>/dev/null ||
  { echo "footprint: $dir holds no Windows build" >&2; exit 2; }
cmake --build "$dir" --target bench_footprint
