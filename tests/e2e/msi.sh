#!/usr/bin/env bash
# The Windows Installer package in a Wine prefix, silently as deployment tools run it: a
# name too long refused; files, Start menu, INI; AUTOSTART=0 lasting an upgrade; the
# maintenance line; the logon entry's Korvane popping up; an older version refused; this
# version rebuilt, a repair and the uninstall while Korvane runs; the prefix as it was after.
#   wine.sh apart <state dir> msi.sh <Windows build dir> <version>
set -u
. "$(dirname "$0")/probes.sh"
win=$1 version=$2
# Wine's own menu integration would leave its records behind: it is no part of the product.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
c=$WINEPREFIX/drive_c
dir="$c/Program Files/Flag Notification" run='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
flag='C:\FLAGS\NIGHTLY.FLG' msi='Z:'$win/flag-notification-$version.msi
older='Z:'$win/flag-notification-1.2.msi rebuilt='Z:'$win/flag-notification-$version-rebuilt.msi
failed=0
fail() { echo "FAILED: $*"; failed=1; }

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
ini_is() { printf '[Command]\r\nCommandLine=%s\r\n' "$1" | cmp -s - "$dir/Korvane.INI"; }
logon_entry() { value "$run" Korvane; }
uninstall_key() {  # of the product that the package (Z:...) installs
  echo 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\'"$(msiinfo export "${1#Z:}" Property |
    tr -d '\r' | awk '$1 == "ProductCode" { print $2 }')"
}
unchanged() { diff <(echo "$before") <(snapshot) >"$c/../left" || fail "$1 left: $(cat "$c/../left")"; }

mkdir -p "$c/FLAGS" "$c/work"
before=$(snapshot)
long='C:\FLAGS\'$(printf 'F%.0s' {1..50})'.FLG'  # 63 characters, as many as Korvane reads
msiexec 1603 /i "$msi" "FLAGFILE=${long}G"
grep -aq 'FLAGFILE is too long' "$c/msi.log" || fail "no message for a name of 64 characters"
unchanged "a refused install"

msiexec 0 /i "$older" AUTOSTART=0 "FLAGFILE=$long"
[ "$(ls "$dir" | tr '\n' ' ')" = "Korvane.INI Korvane.exe QUELLARD.EXE README.TXT " ] || fail "installed: $(ls "$dir")"
shortcut Korvane && shortcut 'Read Me' || fail "no Start-menu shortcuts"
msiexec 0 /i "$msi"
[ "$(products)" = 1 ] && [ -z "$(logon_entry)" ] && ini_is "$long" ||
  fail "an upgrade without properties: $(products) products, logon entry '$(logon_entry)', INI $(cat "$dir/Korvane.INI")"
cmp -s "$dir/Korvane.exe" "$win/watcher/Korvane.exe" || fail "the upgrade left the older Korvane.exe"
key=$(uninstall_key "$msi")
[ "$(value "$key" DisplayVersion) $(value "$key" Publisher) $(value "$key" NoModify)" = "$version.0 Korvane Software 0x1" ] ||
  fail "Add/Remove entry: $(wine reg query "$key" 2>&1 | tr -d '\r')"

# The line README.TXT gives for a desk that has this version. (Wine honours a transitive
# component's condition that turns true, not one that turns false.)
msiexec 0 /i "$msi" REINSTALL=ALL REINSTALLMODE=vomus AUTOSTART=1 "FLAGFILE=$flag"
[ "$(logon_entry)" = '"C:\Program Files\Flag Notification\Korvane.exe"' ] && ini_is "$flag" ||
  fail "the maintenance line: logon entry '$(logon_entry)', INI $(cat "$dir/Korvane.INI")"

installed='C:\Program Files\Flag Notification'
wine "$win/tests/driver.exe" "$installed\Korvane.exe" "$installed\QUELLARD.EXE" 'C:\work' \
  "${FN_SHOTS:+Z:}${FN_SHOTS:--}" installed </dev/null || failed=1
msiexec 1603 /i "$older"
[ "$(value "$key" DisplayVersion)" = "$version.0" ] || fail "an older version replaced $version"

# Started from the logon entry with a name on its line, Korvane registers for a restart,
# which Wine's stand-in for the call logs, and runs on while a rebuilt package of this
# version replaces the installed one (one product, the new files, the INI as it was) and
# the uninstall removes it. Wine, as Windows for a program its Restart Manager did not
# close, keeps the running Korvane.exe in its place: the same version, and to be removed
# at the next restart, which Wine does not schedule.
eval "set -- $(logon_entry)"
WINEDEBUG=-all,fixme+process wine "$1" 'C:\FLAGS\MY' JOB.FLG </dev/null >/dev/null 2>"$c/../restart.log" &
korvane=$!
# Under qemu-user on a busy machine a Wine process takes the best part of a minute to start.
registered='RegisterApplicationRestart (L"C:\\FLAGS\\MY JOB.FLG",8)'
await 180 grep -qF "$registered" "$c/../restart.log" || fail "no restart registration: $(cat "$c/../restart.log")"
made=$(stat -c %z "$dir/QUELLARD.EXE")
msiexec 0 /i "$rebuilt"
[ "$(products)" = 1 ] && [ -n "$(value "$(uninstall_key "$rebuilt")" DisplayName)" ] && ini_is "$flag" &&
  [ "$(stat -c %z "$dir/QUELLARD.EXE")" != "$made" ] && [ -n "$(logon_entry)" ] ||
  fail "a rebuilt package: $(products) products, INI $(cat "$dir/Korvane.INI"), $(ls -l --full-time "$dir")"
printf '[Command]\r\nCommandLine=C:\\FLAGS\\OWN.FLG\r\n' >"$dir/Korvane.INI"
msiexec 0 /i "$rebuilt"
msiexec 0 /i "$rebuilt" REINSTALL=ALL REINSTALLMODE=omus
[ "$(products)" = 1 ] && ini_is 'C:\FLAGS\OWN.FLG' ||
  fail "a second install or a repair: $(products) products, INI $(cat "$dir/Korvane.INI")"
msiexec 0 /x "$rebuilt"
kill $korvane && wait $korvane
[ "$(diff <(echo "$before") <(snapshot) | grep '^>')" = "> ./Program Files/Flag Notification
> ./Program Files/Flag Notification/Korvane.exe" ] || fail "the uninstall left: $(diff <(echo "$before") <(snapshot))"
rm -r "$dir"

msiexec 0 /i "$msi"
[ -n "$(logon_entry)" ] && [ ! -e "$dir/Korvane.INI" ] && [ -e "$dir/Korvane.exe" ] ||
  fail "a first install without properties: logon entry '$(logon_entry)', $(ls "$dir")"
msiexec 0 /x "$msi"
unchanged "the last uninstall"
[ $failed = 0 ] && echo "msi: all checks passed"
exit $failed
