#!/usr/bin/env bash
# Runs the two-monitor test program (tests/wine/desks.cpp) on a display of its own cut into two
# RandR monitors, 1024 x 768 and 800 x 600 side by side, with the primary on the left and then on
# the right, in a Wine prefix of its own (no virtual desktop, Xinerama read), made once and kept
# in the build folder. The display is removed at the end.
#   desks.sh PREFIX PROGRAM.exe
# KESTA_SHOTS: a folder to keep the pictures checked in.
set -euo pipefail
prefix=$1 program=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib.sh"

n=140
while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
Xvfb :$n -screen 0 1824x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:$n
cleanup() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

prepare_prefix "$prefix"
if [ ! -f "$prefix/.kesta-desks" ]; then
    wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
    touch "$prefix/.kesta-desks"
fi

status=0
for layout in left right; do
    xrandr --delmonitor A >/dev/null 2>&1 || true
    xrandr --delmonitor B >/dev/null 2>&1 || true
    if [ $layout = left ]; then
        xrandr --setmonitor '*A' 1024/270x768/203+0+0 screen && xrandr --setmonitor B 800/211x600/159+1024+0 none
    else
        xrandr --setmonitor A 1024/270x768/203+0+0 screen && xrandr --setmonitor '*B' 800/211x600/159+1024+0 none
    fi
    # Wine reads the monitors when its server starts.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    echo "== primary monitor on the $layout"
    KESTA_DESK=$layout "$root/cmake/wine-run.sh" "$program" || status=1
done
exit $status
