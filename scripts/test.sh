#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (native and under Wine).
# Most scenarios wait on polls and windows rather than compute, so more of them run at
# once than there are CPUs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j"$((2 * $(nproc)))" "$@"
