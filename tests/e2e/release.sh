#!/usr/bin/env bash
# What ships. Each Windows program's header, imports and resources (all but the icon
# images' pixels), and the installer's custom action DLL's header and imports, are the
# listings here: PE32, version 5.1, no TLS, only functions that XP SP3 exports (check
# before adding one). So are the installer's tables and summary:
# schema 200, which XP SP3's Windows Installer 3.1 takes. The zip holds the programs and
# CR LF texts whose batch example is the README's. In the listings @MAJOR@.@MINOR@ stands
# for the release's version.
#   release.sh <source dir> <Windows build dir> <version>
set -u
src=$1 win=$2 version=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
listing() { sed "s/@MAJOR@/${version%.*}/g; s/@MINOR@/${version#*.}/g" "$src/tests/e2e/$1"; }
failed=0
fail() { echo "FAILED: $*"; failed=1; }

for exe in creator/QUELLARD.EXE watcher/Korvane.exe package/fn_msi_action.dll; do
  name=$(basename "${exe%.*}")
  i686-w64-mingw32-objdump -p "$win/$exe" | awk '/^(Magic|Subsystem|M(aj|in)or(Subsystem|OSystem)Vers)/ ||
    /^Entry 9 / { print } /DLL Name:/ { dll = $3 } /^$/ { dll = "" } dll && NF == 3 && $2 ~ /^[0-9]+$/ {
    print dll, $3 }' | diff - <(listing $name.imports) || fail "$name: header or imports"
  [ -e "$src/tests/e2e/$name.resources" ] || continue  # the installer's DLL has none
  i686-w64-mingw32-windres -i "$win/$exe" -O rc | sed '/ RT_ICON \*\/$/,/^END$/d' |
    diff - <(listing $name.resources) || fail "$name: resources"
done

# The installer's tables as msiinfo reads them back (file sizes and the product code,
# new in every build, aside; of the sequences, the actions this package adds or orders
# around), and its summary.
msi=$win/flag-notification-$version.msi
for t in Property Upgrade LaunchCondition AppSearch RegLocator Directory Component FeatureComponents \
  File MsiFileHash IniFile RemoveFile Registry Shortcut CustomAction InstallExecuteSequence; do
  msiinfo export "$msi" $t | tr -d '\r' | awk -F'\t' -v OFS='\t' -v t=$t 'NR == 2 || NR == 3 { next }
    t == "File" && NR > 1 { $4 = "" } $1 == "ProductCode" { $2 = "{...}" } t == "MsiFileHash" { NF = 1 }
    t ~ /Sequence/ && NR > 1 && $1 !~ /IniValues|CheckFlag|Location|Products|AutoStart|AppSearch/ { next }
    { print t ": " $0 }'
done >"$tmp/tables"
msiinfo suminfo "$msi" | grep -E '^(Subject|Author|Template|Version|Security):' >>"$tmp/tables"
diff "$tmp/tables" <(listing flag-notification.msi.tables) || fail "installer tables"
# Whatever the listing says: property-conditioned components transitive, programs versioned,
# Upgrade rows up to this version and for a later one, the Run value quoted, a new product code.
# The attributes' bits go by their Windows Installer names.
awk -F'\t' -v version="$(msiinfo export "$msi" Property | tr -d '\r' | awk '$1 == "ProductVersion" { print $2 }')" \
  -v msidbComponentAttributesTransitive=64 -v msidbUpgradeAttributesOnlyDetect=2 \
  -v msidbUpgradeAttributesVersionMaxInclusive=512 'function has(bits, bit) { return int(bits / bit) % 2 }
  FNR == 1 { t++ } FNR < 4 { next }
  t == 1 && $5 ~ /FLAGFILE|AUTOSTART/ && !has($4, msidbComponentAttributesTransitive) { print "not transitive: " $1 }
  t == 2 && $3 ~ /\.(exe|EXE)$/ && (split($5, n, ".") != 4 || $6 == "") { print "no version: " $1 }
  t == 3 && $3 == version && has($5, msidbUpgradeAttributesVersionMaxInclusive) &&
    !has($5, msidbUpgradeAttributesOnlyDetect) { replaces = 1 }
  t == 3 && $2 == version && has($5, msidbUpgradeAttributesOnlyDetect) { detects = 1 }
  t == 4 && $4 == "Korvane" && $5 !~ /^".*"$/ { print "unquoted Run value: " $5 }
  END { if (!replaces || !detects) print "Upgrade rows: replaces " replaces ", detects later " detects }' \
  <(msiinfo export "$msi" Component | tr -d '\r') <(msiinfo export "$msi" File | tr -d '\r') \
  <(msiinfo export "$msi" Upgrade | tr -d '\r') <(msiinfo export "$msi" Registry | tr -d '\r') >"$tmp/rules"
[ -s "$tmp/rules" ] && fail "installer rules: $(cat "$tmp/rules")"
[ "$(msiinfo export "$msi" Property | grep ProductCode)" != "$(msiinfo export "${msi%.msi}-rebuilt.msi" Property |
  grep ProductCode)" ] || fail "a rebuilt package has the same product code"

top=flag-notification-$version-win32
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
# A comment line first, where a byte-order mark that an editor adds does no harm.
[ "$(sed -n '1s/^;.*/;/p;2p;3s/=.*/=/p' Korvane.INI | tr -d '\r' | tr '\n' ' ')" = "; [Command] CommandLine= " ] ||
  fail "Korvane.INI is no sample"
grep -qF "QUELLARD.EXE $(sed -n 's/^CommandLine=//p' Korvane.INI | tr -d '\r')"$'\r' README.TXT ||
  fail "the sample Korvane.INI does not watch the flag that the batch example raises"
example=$(sed -n '/^```bat$/,/^```$/{/^```/d;s/^/  /;s/$/\r/;p}' "$src/README.md")
[[ "$(cat README.TXT)" == *"$example"* ]] || fail "README.TXT's batch example is not the README's"
[ $failed = 0 ] && echo "release: all checks passed"
exit $failed
