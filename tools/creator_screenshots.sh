#!/usr/bin/env bash
# The pictures of Make_FrameFile (its first structure, as given and form-found held at two
# edges) and Make_ForceFile (two load cases on the Bridge sample) for the help file, typed
# into with xdotool on the virtual screen.
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
sleep 6
xdotool key alt+o; sleep 3
xdotool type --delay 20 'C:\Ombrix\Dat\Bridge.dat'; xdotool key Return; sleep 3
xdotool key alt+a; sleep 1
xdotool mousemove 250 395 click 1 key End shift+Home type --delay 20 '0 0 -20'
xdotool key shift+Tab Down Down Tab Tab type --delay 20 '4 5 6'
xdotool key Tab type '3'; xdotool key alt+a; sleep 2
import -window root "$output/force-root.png"

convert "$output/frame-root.png" -trim +repage -strip "$output/make-framefile.png"
convert "$output/frame-form-root.png" -trim +repage -strip "$output/make-framefile-form.png"
convert "$output/force-root.png" -trim +repage -strip "$output/make-forcefile.png"
