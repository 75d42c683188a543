#!/usr/bin/env bash
# The creator on a terminal of its own, as on a user's console: natively, or under Wine,
# where cmd.exe also runs raw command lines and the README's batch example.
#   quellard.sh <program> [wine <stand-in>]
set -u
program=$1 kind=${2:-native} standin=${3:-}
readme=$(cd "$(dirname "$0")/../.." && pwd)/README.md
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 1
creator=("$program")
[ "$kind" = wine ] && creator=(wine "$program")
failed=0
fail() { echo "FAILED: $*"; failed=1; }

# What the terminal shows, without Wine's cursor codes, against a printf format; Wine's
# console needs a terminal on standard error, and wraps lines at its width. Standard
# output must match the pattern $out, empty by default.
expect() {  # what, status, the terminal's text, the creator's names...
  local what=$1 want=$2 text=$3
  shift 3
  script -qec "stty cols 32767; $(printf '%q ' "${creator[@]}" "$@") >out.txt" /dev/null </dev/null |
    perl -pe 's/\e\[\?25[lh]|\e\[K//g; s/\e\[(\d*)C/" " x ($1 || 1)/ge; s/\r\r\n/\r\n/g' >tty.txt
  local got=${PIPESTATUS[0]}
  [ "$got" = "$want" ] || fail "$what: status $got, want $want"
  cmp -s tty.txt <(printf "$text") || fail "$what: the terminal shows $(head -c 300 tty.txt | od -c)"
  [[ "$(cat out.txt)" == ${out:-} ]] || fail "$what: standard output received $(head -c 100 out.txt)"
}

long=$(printf 'n%.0s' $(seq 30000))Z
line() { printf "Can't Create File %s\\\\r\\\\n" "$@"; }  # as a format for expect
printf 'keep me' >kept && touch -d @1000000000 kept && cp -p kept readonly && chmod 444 readonly
banner="Quellard Flag Tools (C) 2026\r\n32bit Create Zero File      \r\nQUELLARD <Path\\\\Filename>   \r\n"
expect "no names" 255 "$banner"
expect "new names" 0 "" "a flag.flg" b
expect "existing files" 17 "$(line kept readonly)" kept readonly
expect "a success, then a failure" 2 "$(line nodir/f)" first nodir/f
expect "a long name" "$([ "$kind" = wine ] && echo 2 || echo 36)" "$(line "$long")" "$long"
# Options, natively: --help and --version only as the one argument, and a first "--" only
# ends them. QUELLARD.EXE has none: every argument is a name.
if [ "$kind" = native ]; then
  out='Usage: quellard *' expect "--help" 0 "" --help
  out='quellard (Flag Notification) [0-9]*.[0-9]*' expect "--version" 0 "" --version
  expect "-- alone" 255 "$banner" --
  expect "-- and names" 0 "" -- --help -x
  expect "options among names" 0 "" --version --bogus
  options="--bogus --help --version -x"
else
  expect "options" 0 "" --version
  expect "-- and names" 0 "" -- --help
  options="-- --help --version"
fi
[ "$(LC_ALL=C ls -d -- -* | tr '\n' ' ')" = "$options " ] || fail "options made $(ls -d -- -*)"
for f in "a flag.flg" b first; do [ -f "$f" ] && [ ! -s "$f" ] || fail "$f is not a new empty file"; done
for f in kept readonly; do
  [ "$(cat $f)" = "keep me" ] && [ "$(stat -c %Y $f)" = 1000000000 ] || fail "$f was changed"
done
setsid -w "${creator[@]}" kept </dev/null >out.txt 2>&1  # no console: no line anywhere
[ $? = 17 ] && [ ! -s out.txt ] || fail "without a console: $(cat out.txt)"

# The names created show the split. Only 0 and 17 may read as raised: the example runs for
# a new flag, one already up, a missing folder, and a stand-in whose close failed (-1).
if [ "$kind" = wine ]; then
  mkdir sub && cp "$program" QUELLARD.EXE
  printf 'QUELLARD.EXE "one two"\tthree\r\nQUELLARD.EXE "x""y z\r\nQUELLARD.EXE sub\\\\"b c"\r\n' >lines.bat
  wine cmd /c lines.bat </dev/null >/dev/null 2>&1
  [ -f "one two" ] && [ -f three ] && [ -f z ] && [ -f "sub/b c" ] || fail "raw lines split otherwise: $(ls)"
  sed -n '/^```bat$/,/^```$/{/^```/d;s/$/\r/;p}' "$readme" >job.bat
  c=$WINEPREFIX/drive_c
  rm -rf "$c/FLAGS" && mkdir -p "$c/FLAGS" "$c/FLAGTOOLS"
  for step in "$program=Flag raised" "$program=already up" "-=(status 2)" "$standin=(status -1)"; do
    [ "${step%%=*}" = - ] && rm -rf "$c/FLAGS" || cp "${step%%=*}" "$c/FLAGTOOLS/QUELLARD.EXE"
    wine cmd /c job.bat </dev/null 2>/dev/null | grep -qF "${step#*=}" || fail "batch: no '${step#*=}'"
  done
fi
[ $failed = 0 ] && echo "quellard ($kind): all checks passed"
exit $failed
