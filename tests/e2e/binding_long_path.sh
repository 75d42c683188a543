#!/usr/bin/env bash
# Runs the binding test program from a fresh folder whose path is longer than 127
# characters, under a base name longer than 11, so the program path and the INI path
# derived from it exceed the sizes of the classic fixed buffers.
#   binding_long_path.sh <binding_test.exe>
# Expects the Wine environment to be set (wine_run.sh does it).
set -euo pipefail
exe=${1:?usage: binding_long_path.sh binding_test.exe}
top=$(mktemp -d "${E2E_TMP:-/tmp}/binding.XXXXXX")
trap 'rm -rf "$top"' EXIT
# Blanks and dots in the folder names too: neither may end the path or start the extension.
dir="$top/a folder.with dots whose name is long enough/to push the program path well past one hundred and twenty seven characters"
mkdir -p "$dir"
cp "$exe" "$dir/binding_test_long_name.exe"
cd "$dir"
wine ./binding_test_long_name.exe long
