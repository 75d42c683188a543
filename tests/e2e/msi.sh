#!/usr/bin/env bash
# The Windows Installer package in a Wine prefix, silently as a deployment tool runs it:
# a name too long is refused; an install with FLAGFILE makes the files, the Start-menu
# folder, the logon entry, the Add/Remove entry and the INI; Korvane started from the
# logon entry pops up when the installed QUELLARD raises that flag; an upgrade, a second
# install and a repair keep one product and the INI as it is; an uninstall leaves the
# prefix as it was; AUTOSTART=0 makes no logon entry, and no FLAGFILE no INI.
#   wine.sh run <state dir> msi.sh <Windows build dir>
set -u
win=$1
# Wine's own menu integration would leave its records behind: it is no part of the product.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
c=$WINEPREFIX/drive_c
dir="$c/Program Files/Flag Notification" run='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
flag='C:\FLAGS\NIGHTLY.FLG' msi='Z:'$win/flag-notification-1.3.msi
ini=$'[Command]\r\nCommandLine='$flag$'\r\n'
product=$(msiinfo export "$win/flag-notification-1.3.msi" Property | tr -d '\r' | awk '$1 == "ProductCode" { print $2 }')
failed=0
fail() {
  echo "FAILED: $*"
  failed=1
}

msiexec() {  # expected status (as Windows gives it), msiexec arguments
  local want=$(($1 % 256)) got
  shift
  wine msiexec "$@" /qn /l*v 'C:\msi.log' </dev/null >/dev/null 2>&1
  got=$?
  [ "$got" = "$want" ] || fail "msiexec $* returned $got, not $want: $(grep -a -m3 -i 'error\|FLAGFILE is' "$c/msi.log")"
}

# What the prefix holds: every file and folder (but temporary ones, the log, Windows
# Installer's own cache folder and the device set-up's, which Wine may finish while the
# test runs), every key and value under Software; empty keys, which Windows Installer
# keeps for itself, aside.
snapshot() {
  (cd "$c" && find . ! -path './windows/temp*' ! -path '*/Temp*' ! -name msi.log ! -path ./windows/Installer \
    ! -name '*.pnf' | sort)
  for root in HKLM HKCU; do
    wine reg export "$root\Software" 'C:\reg.txt' /y >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$c/reg.txt" | tr -d '\r' | awk '
      /^\[/ { key = $0; shown = 0; next } /^$/ { next }
      { if (!shown) print key; shown = 1; print }'
    rm -f "$c/reg.txt"
  done
}

value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { $1 = $2 = ""; print substr($0, 3) }'; }
products() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r' | grep -c 'DisplayName *REG_SZ *Flag Notification$'; }
shortcut() { find "$c" -path "*Start Menu/Programs/Flag Notification/$1.lnk" | grep -q .; }
ini_is() { printf '%s' "$1" | cmp -s - "$dir/Korvane.INI"; }
unchanged() { diff <(echo "$before") <(snapshot) >"$c/../left" || fail "$1 left: $(cat "$c/../left")"; }

mkdir -p "$c/FLAGS" "$c/work"
before=$(snapshot)
long='C:\FLAGS\'$(printf 'F%.0s' {1..50})'.FLG'  # 63 characters, as many as Korvane reads
msiexec 1603 /i "$msi" "FLAGFILE=${long}G"
grep -aq 'FLAGFILE is too long' "$c/msi.log" || fail "no message for a name of 64 characters"
unchanged "a refused install"

msiexec 0 /i 'Z:'"$win/flag-notification-1.2.msi" "FLAGFILE=$flag"
[ "$(ls "$dir" | tr '\n' ' ')" = "Korvane.INI Korvane.exe QUELLARD.EXE README.TXT " ] || fail "installed: $(ls "$dir")"
shortcut Korvane && shortcut 'Read Me' || fail "no Start-menu shortcuts"
ini_is "$ini" || fail "Korvane.INI holds $(cat "$dir/Korvane.INI")"

msiexec 0 /i "$msi"
[ "$(products)" = 1 ] || fail "$(products) products after the upgrade"
[ "$(value "$run" Korvane)" = '"C:\Program Files\Flag Notification\Korvane.exe"' ] || fail "logon entry: $(value "$run" Korvane)"
ini_is "$ini" || fail "the upgrade changed Korvane.INI to $(cat "$dir/Korvane.INI")"
cmp -s "$dir/Korvane.exe" "$win/watcher/Korvane.exe" || fail "the upgrade left the older Korvane.exe"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\'$product
[ "$(value "$key" DisplayVersion) $(value "$key" Publisher) $(value "$key" NoModify)" = "1.3.0 Korvane Software 0x1" ] ||
  fail "Add/Remove entry: $(wine reg query "$key" 2>&1 | tr -d '\r')"

installed='C:\Program Files\Flag Notification'
wine "$win/tests/driver.exe" "$installed\Korvane.exe" "$installed\QUELLARD.EXE" 'C:\work' \
  "${FN_SHOTS:+Z:}${FN_SHOTS:--}" installed </dev/null || failed=1

own=$'[Command]\r\nCommandLine=C:\\FLAGS\\OWN.FLG\r\n'
printf '%s' "$own" >"$dir/Korvane.INI"
msiexec 0 /i "$msi"
msiexec 0 /i "$msi" REINSTALL=ALL REINSTALLMODE=omus
[ "$(products)" = 1 ] && ini_is "$own" || fail "a second install or a repair: $(products) products, INI $(cat "$dir/Korvane.INI")"

msiexec 0 /x "$msi"
unchanged "the uninstall"

msiexec 0 /i "$msi" AUTOSTART=0 "FLAGFILE=$long"
[ -z "$(value "$run" Korvane)" ] && ini_is $'[Command]\r\nCommandLine='"$long"$'\r\n' ||
  fail "AUTOSTART=0 and 63 characters: logon entry '$(value "$run" Korvane)', INI $(cat "$dir/Korvane.INI")"
msiexec 0 /x "$msi"
msiexec 0 /i "$msi"
[ -n "$(value "$run" Korvane)" ] && [ ! -e "$dir/Korvane.INI" ] && [ -e "$dir/Korvane.exe" ] ||
  fail "without FLAGFILE: logon entry '$(value "$run" Korvane)', $(ls "$dir")"
msiexec 0 /x "$msi"
unchanged "the last uninstall"
[ $failed = 0 ] && echo "msi: all checks passed"
exit $failed
