#!/usr/bin/env bash
# The picture of Printout for the help file: the Bridge sample prepared, loaded and solved by
# the real suite, and its output file shown on its second page.
#   OMBRIX_VIRTUAL_DISPLAY=1 OMBRIX_SCREEN=1280x1024x24 tools/with-wine.sh \
#       tools/printout_screenshot.sh BUILD OUTPUT_FOLDER
set -euo pipefail

source "$(dirname "$0")/picture_installation.sh"

wine "$build/suite/programs/ombrix_prepare.exe" '..\Dat\Bridge.dat' '..\Dat\Bridge.rez' \
    Complete English
wine "$build/suite/programs/ombrix_forces.exe" '..\Dat\Bridge.inc'
wine "$build/suite/programs/ombrix_solve.exe" 0 1 2 3
wine "$build/suite/printout_ui/ombrix_printout.exe" '..\Dat\Bridge.rez' &
sleep 6
xdotool key Next
sleep 1
import -window root "$output/printout-root.png"
convert "$output/printout-root.png" -trim +repage -strip "$output/printout.png"
