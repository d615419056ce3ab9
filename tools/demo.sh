#!/usr/bin/env bash
# Runs the shell on a demo installation on the user's display; without a display, takes
# the guided tour of a complete analysis on a virtual one and says where its pictures are.
#   tools/demo.sh INSTALLATION
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
installation=$(realpath "$1")

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    cd "$installation/Exe"
    exec "$root/tools/with-wine.sh" wine ombrix.exe
fi

echo "No display: taking the guided tour on a virtual one."
OMBRIX_VIRTUAL_DISPLAY=1 exec "$root/tools/tour.sh" "$installation"
