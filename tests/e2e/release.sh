#!/usr/bin/env bash
# What ships. Each Windows program's header, imports and resources (all but the icon
# images' pixels) are the listings here: PE32, version 5.1, no TLS, only functions that XP SP3
# exports (check before adding one). The zip holds them and CR LF texts whose batch example
# is the README's.
#   release.sh <source dir> <Windows build dir>
set -u
src=$1 win=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0
fail() {
  echo "FAILED: $*"
  failed=1
}

for exe in creator/QUELLARD.EXE watcher/Korvane.exe; do
  name=$(basename "${exe%.*}")
  i686-w64-mingw32-objdump -p "$win/$exe" | awk '/^(Magic|Subsystem|M(aj|in)or(Subsystem|OSystem)Vers)/ ||
    /^Entry 9 / { print } /DLL Name:/ { dll = $3 } /^$/ { dll = "" } dll && NF == 3 && $2 ~ /^[0-9]+$/ {
    print dll, $3 }' | diff - "$src/tests/e2e/$name.imports" || fail "$name: header or imports"
  i686-w64-mingw32-windres -i "$win/$exe" -O rc | sed '/ RT_ICON \*\/$/,/^END$/d' |
    diff - "$src/tests/e2e/$name.resources" || fail "$name: resources"
done

top=flag-notification-1.3-win32
rm -f "$win/$top.zip"
cmake --build "$win" --target package >"$tmp/log" 2>&1 || fail "no package: $(cat "$tmp/log")"
unzip -q "$win/$top.zip" -d "$tmp" && cd "$tmp/$top" || fail "no zip"
[ "$(ls | tr '\n' ' ')" = "Korvane.INI Korvane.exe QUELLARD.EXE README.TXT " ] || fail "the zip holds $(ls)"
cmp -s QUELLARD.EXE "$win/creator/QUELLARD.EXE" && cmp -s Korvane.exe "$win/watcher/Korvane.exe" ||
  fail "the programs in the zip are not the ones built"
for text in README.TXT Korvane.INI; do
  [ "$(grep -c $'\r$' $text)" = "$(wc -l <$text)" ] && ! LC_ALL=C grep -q '[^ -~'$'\r]' $text ||
    fail "$text is not ASCII with CR LF ends"
done
[ "$(head -c 23 Korvane.INI)" = $'[Command]\r\nCommandLine=' ] || fail "Korvane.INI is no sample"
example=$(sed -n '/^```bat$/,/^```$/{/^```/d;s/^/  /;s/$/\r/;p}' "$src/README.md")
[[ "$(cat README.TXT)" == *"$example"* ]] || fail "README.TXT's batch example is not the README's"
[ $failed = 0 ] && echo "release: all checks passed"
exit $failed
