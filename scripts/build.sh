#!/usr/bin/env bash
# Configures and builds everything in build/: the native programs and tests, and the
# Windows programs in build/win32.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
