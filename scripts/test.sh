#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (native and under Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j2 "$@"
