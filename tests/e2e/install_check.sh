#!/usr/bin/env bash
# Installs the native build under a scratch prefix and checks what lands there: quellard,
# the very program built, still working; and its manual page, which must format cleanly
# and name every exit status.
#   install_check.sh <cmake> <build dir> <built quellard> <manual page source>
set -euo pipefail
cmake=$1 build=$2 built=$3 source_page=$4
prefix=$(mktemp -d "${E2E_TMP:-/tmp}/install-XXXXXX")
trap 'rm -rf "$prefix"' EXIT
fail() { echo "install: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >"$prefix/install.log" ||
  fail "cmake --install failed: $(cat "$prefix/install.log")"
bin=$prefix/bin/quellard
page=$prefix/share/man/man1/quellard.1
[ -x "$bin" ] || fail "no program at $bin"
cmp -s "$bin" "$built" || fail "$bin is not the program built at $built"
[ -f "$page" ] || fail "no manual page at $page"
cmp -s "$page" "$source_page" || fail "$page is not $source_page"

# Run without a controlling terminal, so nothing can reach one: only statuses tell.
status_of() { setsid -w "$bin" "$@" </dev/null >"$prefix/out" 2>&1 && echo 0 || echo $?; }
[ "$(status_of)" = 255 ] || fail "the banner run did not give 255"
[ "$(status_of "$prefix/flag")" = 0 ] || fail "a new name did not give 0"
{ [ -f "$prefix/flag" ] && [ ! -s "$prefix/flag" ]; } || fail "the flag is not an empty file"
[ "$(status_of "$prefix/flag")" = 17 ] || fail "an existing name did not give 17"
[ ! -s "$prefix/out" ] || fail "output went to a redirected stream: $(cat "$prefix/out")"

# The statuses as the page lists them: from the formatted page when man is there (its
# warnings must be none), else from the source, where each is a .TP tag in bold.
statuses="0 255 17 2 13 24 22 36"
if command -v man >/dev/null; then
  MANWIDTH=80 man --warnings -l "$page" >"$prefix/page.txt" 2>"$prefix/warnings"
  [ ! -s "$prefix/warnings" ] || fail "the page does not format cleanly: $(cat "$prefix/warnings")"
  grep -q "Can't Create File name" "$prefix/page.txt" || fail "the page does not show the line"
  tags=$(grep -E '^ {7}[0-9]+ ' "$prefix/page.txt" | awk '{print $1}')
else
  grep -q "Can\\\\(aqt Create File" "$page" || fail "the page does not show the line"
  tags=$(awk 'tp && /^\.B [0-9]+$/ {print $2} {tp = ($0 == ".TP")}' "$page")
fi
grep -q "EXIT STATUS" "$page" || fail "the page has no EXIT STATUS section"
for status in $statuses; do
  grep -qx "$status" <<<"$tags" || fail "the page does not list exit status $status"
done
echo "installed and checked: $bin, $page"
