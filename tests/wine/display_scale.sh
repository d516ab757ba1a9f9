#!/usr/bin/env bash
# Runs a Windows test program in a Wine prefix of its own whose display runs at the given DPI
# (the shared test prefix stays at 96), on a virtual display of its own large enough for a
# window of 640 x 480 at 96 DPI to keep its physical size at 200 %. The prefix is made once
# and kept in the build folder.
#   display_scale.sh DPI PREFIX PROGRAM.exe
# KESTA_DPI_DISPLAY names the X display to use (default: the first free one from :91);
# KESTA_DPI_SCREEN its size (default 2048x1536).
set -euo pipefail
dpi=$1 prefix=$2 program=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib.sh"

display=${KESTA_DPI_DISPLAY:-}
if [ -z "$display" ]; then
    n=91
    while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
    display=:$n
fi
screen=${KESTA_DPI_SCREEN:-2048x1536}
Xvfb "$display" -screen 0 "${screen}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

prepare_prefix "$prefix"
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$screen" /f >/dev/null 2>&1
if [ "$(cat "$prefix/.kesta-dpi" 2>/dev/null)" != "$dpi" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    echo "$dpi" >"$prefix/.kesta-dpi"
fi
# The DPI takes effect for a fresh Wine server.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true

status=0
KESTA_DPI=$dpi "$root/cmake/wine-run.sh" "$program" || status=$?
wineserver -k 2>/dev/null || true
kill "$xvfb" 2>/dev/null || true
exit $status
