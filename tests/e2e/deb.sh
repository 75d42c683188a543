#!/usr/bin/env bash
# What ships natively: the Debian package that the native tree makes, with its
# dependencies declared, nothing lintian warns about, every file in its usual place, a
# desktop entry, metainfo and icons that the desktop's own tools accept, both programs
# running from a scratch folder it was unpacked into, and the release's version in all
# that names one.
#   deb.sh <native build dir> <version>
set -u
native=$1 version=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
deb=$tmp/flag-notification_${version}_amd64.deb
failed=0
fail() { echo "FAILED: $*"; failed=1; }

# cpack itself, not the package target, which would build the whole tree again first.
(cd "$native" && cpack -B "$tmp") >"$tmp/log" 2>&1 || fail "no package: $(cat "$tmp/log")"
# Debian's reviewer: no error, no warning, and the hardened build leaves no hardening tag
# even among the informational ones.
lintian --pedantic -I "$deb" 2>&1 | grep -v 'root privileges' | grep -E '^[EW]: |hardening' &&
  fail "lintian complains"
for lib in libgtk-3-0 libglib2.0-0 libc6; do
  dpkg-deb -f "$deb" Depends | grep -q "$lib" || fail "Depends names no $lib"
done
dpkg-deb -c "$deb" | awk '!/\/$/ { print $6 }' | sort >"$tmp/contents"
diff - "$tmp/contents" <<'LIST' || fail "the package's files"
./usr/bin/korvane
./usr/bin/quellard
./usr/share/applications/korvane.desktop
./usr/share/doc/flag-notification/changelog.gz
./usr/share/doc/flag-notification/copyright
./usr/share/icons/hicolor/128x128/apps/korvane.png
./usr/share/icons/hicolor/16x16/apps/korvane.png
./usr/share/icons/hicolor/24x24/apps/korvane.png
./usr/share/icons/hicolor/256x256/apps/korvane.png
./usr/share/icons/hicolor/32x32/apps/korvane.png
./usr/share/icons/hicolor/48x48/apps/korvane.png
./usr/share/icons/hicolor/64x64/apps/korvane.png
./usr/share/icons/hicolor/scalable/apps/korvane.svg
./usr/share/man/man1/korvane.1.gz
./usr/share/man/man1/quellard.1.gz
./usr/share/metainfo/example.korvane.korvane.metainfo.xml
LIST

dpkg-deb -x "$deb" "$tmp/root"
share=$tmp/root/usr/share
desktop-file-validate "$share/applications/korvane.desktop" >"$tmp/log" 2>&1 && [ ! -s "$tmp/log" ] ||
  fail "the desktop entry: $(cat "$tmp/log")"
metainfo=$share/metainfo/example.korvane.korvane.metainfo.xml
appstreamcli validate --no-net "$metainfo" >"$tmp/log" 2>&1 || fail "the metainfo: $(cat "$tmp/log")"
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
[ -f "$share/applications/$launchable" ] || fail "the metainfo launches '$launchable', which is not shipped"
# Each size of the icon is drawn at that size, and the scalable one is the same drawing.
icons=$share/icons/hicolor
for size in 16 24 32 48 64 128 256; do
  [[ "$(file -b "$icons/${size}x$size/apps/korvane.png")" == "PNG image data, $size x $size, "* ]] ||
    fail "the ${size}x$size icon is $(file -b "$icons/${size}x$size/apps/korvane.png")"
done
rsvg-convert -w 256 -h 256 -b white "$icons/scalable/apps/korvane.svg" >"$tmp/svg.png" &&
  convert "$icons/256x256/apps/korvane.png" -background white -flatten "$tmp/png.png" &&
  rmse=$(compare -metric RMSE "$tmp/svg.png" "$tmp/png.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/') &&
  awk -v e="$rmse" 'BEGIN { exit !(e < 0.02) }' || fail "the scalable icon differs from the others: ${rmse:-}"
bin=$tmp/root/usr/bin
"$bin/quellard" "$tmp/JOB.FLG" && [ -f "$tmp/JOB.FLG" ] || fail "the unpacked quellard raises no flag"
"$bin/korvane" --help | grep -q '^Usage: korvane ' || fail "korvane --help"
for page in "$tmp"/root/usr/share/man/man1/*; do
  [ -z "$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)" ] || fail "$page does not format cleanly"
done
# The one place where what names the version is held to the build's: the manual pages,
# the changelog's and the metainfo's latest entries, written by hand, and the programs.
{ zcat "$share"/man/man1/*.gz | sed -n 's/^\.TH .* "Flag Notification \([^"]*\)" .*/\1/p'
  zcat "$share"/doc/flag-notification/changelog.gz | sed -n '1s/^flag-notification (\([^)]*\)) .*/\1/p'
  sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1
  for program in quellard korvane; do "$bin/$program" --version | sed -n "s/^$program (Flag Notification) //p"; done
} >"$tmp/versions"
[ "$(sort -u "$tmp/versions")" = "$version" ] && [ "$(wc -l <"$tmp/versions")" = 6 ] ||
  fail "the version is $version, but these name $(tr '\n' ' ' <"$tmp/versions")"
[ $failed = 0 ] && echo "deb: all checks passed"
exit $failed
