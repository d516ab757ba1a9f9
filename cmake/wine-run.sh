#!/bin/sh
# Runs a Windows test program under Wine for ctest. Wine's first start leaves wineserver and
# services.exe running with ctest's output pipe inherited; writing to a file instead keeps
# ctest from waiting on that pipe forever.
out=$(mktemp)
WINEDEBUG=${WINEDEBUG:--all} wine "$@" >"$out" 2>&1 </dev/null
rc=$?
tr -d '\r' <"$out"
rm -f "$out"
exit $rc
