#!/usr/bin/env bash
# Runs a Windows test program in a Wine prefix of its own made under another locale (the shared
# test prefix is Japanese), on the display the tests already use. The prefix is made once and
# kept in the build folder.
#   other_locale.sh LOCALE PREFIX PROGRAM.exe
set -euo pipefail
locale=$1 prefix=$2 program=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib.sh"
export LANG=$locale LC_ALL=$locale
prepare_prefix "$prefix"
status=0
"$root/cmake/wine-run.sh" "$program" || status=$?
wineserver -k 2>/dev/null || true
exit $status
