#!/usr/bin/env bash
# Shows Glance on a geometry file with the node numbers on and saves a picture of its
# window, which is four fifths of the screen. Run it through tools/with-wine.sh; for the
# help's picture on a virtual screen of 960 x 720:
#   OMBRIX_VIRTUAL_DISPLAY=1 OMBRIX_SCREEN=960x720x24 tools/with-wine.sh \
#       tools/glance_screenshot.sh GLANCE_EXE GEOMETRY_FILE OUTPUT.png
set -euo pipefail

glance=$(realpath "$1")
geometry=$(realpath "$2")
output=$(realpath -m "$3")

wine "$glance" "$(winepath -w "$geometry")" >/dev/null 2>&1 &
program=$!
window=""
for _ in $(seq 300); do
    window=$(xdotool search --name '^OMBRIX - Glance - ' 2>/dev/null | head -n 1) && break
    sleep 0.1
done
xdotool key --window "$window" n
sleep 0.5
import -window "$window" "$output"
kill "$program" 2>/dev/null || true
echo "Glance: $output"
