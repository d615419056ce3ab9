#!/usr/bin/env bash
# Runs the shell on a demo installation: on the user's display when there is one,
# otherwise on a virtual display, leaving a screenshot of the panel under build/.
#   tools/demo.sh INSTALLATION
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
installation=$(realpath "$1")

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    cd "$installation/Exe"
    exec "$root/tools/with-wine.sh" wine ombrix.exe
fi

echo "No display: running the shell on a virtual one."
OMBRIX_VIRTUAL_DISPLAY=1 "$root/tools/with-wine.sh" \
    "$root/tools/screenshot.sh" "$installation" "$root/build/demo-panel.png"
