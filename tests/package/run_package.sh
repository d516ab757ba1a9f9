#!/usr/bin/env bash
# The package as a Windows user gets it: checks the zip, then unzips it into a fresh folder of a
# fresh Wine prefix whose Windows directory refuses the settings file, starts kesta.exe from
# there and checks (tests/wine/package_run.cpp) that the sample word is drawn and the window's
# geometry lands in the per-user file. The Windows directory refuses through a directory named
# kestasv.ini standing where the file would be: it cannot be opened as the file or replaced by
# one, also for root (for whom Wine ignores the read-only attribute).
# Needs a display (scripts/test starts one).
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
cd "$KESTA_ROOT"

zip=$(ls dist/kesta-"$(cat build/windows/kesta-version.txt)"-win64.zip)
python3 tests/package/check_zip.py "$zip" "$KESTA_ROOT" build/windows

prefix="$KESTA_ROOT/build/package-prefix"
rm -rf "$prefix"
( prepare_prefix "$prefix" )
export WINEPREFIX=$prefix WINEDEBUG=-all
mkdir "$prefix/drive_c/windows/kestasv.ini"
mkdir -p "$prefix/drive_c/kesta-unzipped"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
    "$zip" "$prefix/drive_c/kesta-unzipped"
status=0
KESTA_PACKAGE_DIR='C:\kesta-unzipped' cmake/wine-run.sh build/windows/wine_package_run.exe || status=$?
wineserver -k 2>/dev/null || true
rm -rf "$prefix"
exit $status
