#!/usr/bin/env bash
# Runs a command with Wine ready: a private Wine prefix under build/, and a virtual X
# display when there is no usable one (or when OMBRIX_VIRTUAL_DISPLAY=1), of the size
# OMBRIX_SCREEN gives (default 1280x1024x24). Everything it
# started (Xvfb, the wineserver) is ended when the command ends.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="

xvfb_pid=""
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

if [ "${OMBRIX_VIRTUAL_DISPLAY:-0}" = 1 ] || [ -z "${DISPLAY:-}" ] ||
    ! xdpyinfo >/dev/null 2>&1; then
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${OMBRIX_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$display_file" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(head -n 1 "$display_file")"
    rm -f "$display_file"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # Wine's own fonts (MS Sans Serif, Marlett for the caption buttons), which this
    # build of Wine does not find by itself.
    if [ -d /usr/share/wine/fonts ]; then
        cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
    wineserver -w
fi
if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    # The virtual display has no window manager. "Decorated"="N": Wine draws the windows'
    # captions itself, as Windows would. "Managed"="N": Wine does not wait for a window
    # manager, which otherwise costs up to two seconds each time a window is hidden or
    # destroyed (the welcome window, every message box, every dialog).
    for setting in Decorated Managed; do
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v "$setting" /t REG_SZ /d N /f \
            >/dev/null 2>&1
    done
    wineserver -w
fi
# Start the wineserver and Wine's own services up front, away from the command's output:
# started by the command's first program they would hold its output open until the end.
wineserver -p
wine cmd.exe /c exit >/dev/null 2>&1 </dev/null
# OMBRIX_DESKTOP_HOLDER: a program that holds Wine's desktop open until the end, so that the
# desktop's process, started by it, holds no test's output open (tests/e2e/desktop_holder.cpp).
if [ -n "${OMBRIX_DESKTOP_HOLDER:-}" ]; then
    wine "$OMBRIX_DESKTOP_HOLDER" </dev/null >/dev/null 2>&1 &
fi

"$@"
