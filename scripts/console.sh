#!/usr/bin/env bash
# Runs a command on a terminal of its own (so the creator has a console even when this
# script's output goes to a file or a pipe) and shows what the terminal showed, without
# the cursor codes of Wine's console host when the output is not a terminal.
#   console.sh <command...>
set -u
cmd=$(printf '%q ' "$@")
if [ -t 1 ]; then
  script -qec "$cmd" /dev/null
else
  script -qec "stty cols 500 2>/dev/null; $cmd" /dev/null |
    sed -e 's/\x1b\[?25[lh]//g' -e 's/\x1b\[K//g' -e 's/\r\r$/\r/' |
    perl -pe 's/\x1b\[(\d*)C/" " x ($1 || 1)/ge'
fi
