#!/usr/bin/env bash
# Starts the shell of an installation on the current display, waits for its panel and
# saves a picture of the screen. Run it through tools/with-wine.sh.
#   tools/screenshot.sh INSTALLATION OUTPUT.png
set -euo pipefail

installation=$1
output=$(realpath -m "$2")
mkdir -p "$(dirname "$output")"

cd "$installation/Exe"
wine ombrix.exe >/dev/null 2>&1 &
shell=$!

# The welcome window closes by itself after three seconds; then the panel stands alone.
for _ in $(seq 300); do
    if xdotool search --name '^OMBRIX$' >/dev/null 2>&1; then
        break
    fi
    sleep 0.1
done
sleep 1
import -window root "$output"
kill "$shell" 2>/dev/null || true
echo "The panel: $output"
