# Shared by the scripts: installing what is missing, the Wine prefix and the headless display.
# Sourced, not run.

KESTA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KESTA_PACKAGES="cmake ninja-build g++ clang libclang-rt-14-dev mingw-w64 wine wine64 xvfb locales
fonts-noto-cjk fonts-dejavu-core imagemagick xdotool googletest libgtest-dev libbenchmark-dev x11-utils x11-xserver-utils python3"

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
    local missing=()
    for p in $KESTA_PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "installing: ${missing[*]}"
        as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
    fi
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
        as_root sed -i 's/^# *ja_JP.UTF-8/ja_JP.UTF-8/' /etc/locale.gen
        grep -q '^ja_JP.UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
        as_root locale-gen >/dev/null
    fi
}

# Prepares a Wine prefix (once): a 1024x768 virtual desktop with a known background colour, so
# windows have frames and menus and the screen shows a desktop, and the fonts Debian's Wine does
# not find by itself.
prepare_prefix() {
    local prefix
    prefix=$(realpath -m "$1") # Wine takes only an absolute prefix
    export WINEPREFIX=$prefix WINEDEBUG=-all
    if [ ! -f "$prefix/.kesta-ready" ]; then
        mkdir -p "$prefix"
        wineboot -i >/dev/null 2>&1
        wineserver -w
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
        wine reg add 'HKCU\Control Panel\Colors' /v Background /d '51 102 153' /f >/dev/null 2>&1
        for face in 'MS UI Gothic' 'MS Shell Dlg' 'MS Shell Dlg 2' Tahoma 'Microsoft Sans Serif'; do
            wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
                /v "$face" /t REG_MULTI_SZ /d 'NotoSansCJK-Regular.ttc,Noto Sans CJK JP' /f >/dev/null 2>&1
        done
        wineserver -w
        mkdir -p "$prefix/drive_c/windows/Fonts"
        # Not tahomabd.ttf: with it, bold captions find no link to the Japanese font and show
        # boxes on a non-Japanese locale; without it Wine emboldens the linked regular face.
        cp /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/tahoma.ttf \
            "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
        touch "$prefix/.kesta-ready"
    fi
}

# Starts Xvfb on a free display when none is usable; sets DISPLAY and KESTA_XVFB_PID.
KESTA_XVFB_PID=
start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local n=91
    while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
    Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    KESTA_XVFB_PID=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    echo "Xvfb did not start" >&2
    return 1
}

stop_display() {
    [ -n "$KESTA_XVFB_PID" ] && kill "$KESTA_XVFB_PID" 2>/dev/null
    KESTA_XVFB_PID=
}
