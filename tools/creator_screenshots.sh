#!/usr/bin/env bash
# The pictures of Make_FrameFile (its first structure, as given and form-found held at two
# edges) and Make_ForceFile (the Flat Cable Net sample's geometry and loading file opened,
# its rows of words) for the help file, typed into with xdotool on the virtual screen.
#   OMBRIX_VIRTUAL_DISPLAY=1 OMBRIX_SCREEN=1280x800x24 tools/with-wine.sh \
#       tools/creator_screenshots.sh BUILD OUTPUT_FOLDER
set -euo pipefail

source "$(dirname "$0")/picture_installation.sh"

wine "$build/suite/creators_ui/ombrix_make_framefile.exe" "	" &
sleep 6
import -window root "$output/frame-root.png"
wineserver -k

wine "$build/suite/creators_ui/ombrix_make_framefile.exe" "	" &
sleep 6
xdotool key Tab Tab Tab Tab Tab Tab Tab Down Tab Down # held at x = 0 and x = end, form-found
sleep 2
import -window root "$output/frame-form-root.png"
wineserver -k

wine "$build/suite/creators_ui/ombrix_make_forcefile.exe" "	" &
sleep 10
xdotool key alt+o; sleep 4
xdotool type --delay 20 'C:\Ombrix\Dat\Flat Cable Net.dat'; xdotool key Return; sleep 4
xdotool key alt+e; sleep 4
xdotool type --delay 20 'C:\Ombrix\Dat\Flat Cable Net.inc'; xdotool key Return; sleep 3
xdotool mousemove 200 165 click 1; sleep 2
import -window root "$output/force-root.png"

convert "$output/frame-root.png" -trim +repage -strip "$output/make-framefile.png"
convert "$output/frame-form-root.png" -trim +repage -strip "$output/make-framefile-form.png"
convert "$output/force-root.png" -trim +repage -strip "$output/make-forcefile.png"
