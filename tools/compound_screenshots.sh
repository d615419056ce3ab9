#!/usr/bin/env bash
# The pictures of Compound (two tripods, the second turned a quarter and shifted onto two
# of the first's supports) and of CompoundPost (that compound solved) for the help file,
# typed into with xdotool on the virtual screen.
#   OMBRIX_VIRTUAL_DISPLAY=1 OMBRIX_SCREEN=1280x800x24 tools/with-wine.sh \
#       tools/compound_screenshots.sh BUILD OUTPUT_FOLDER
set -euo pipefail

build=$(cd "$1" && pwd)
mkdir -p "$2"
output=$(cd "$2" && pwd)
installation="$WINEPREFIX/drive_c/Ombrix" # C:\Ombrix, as the picture shows it
rm -rf "$installation"
trap 'wineserver -k; rm -rf "$installation"' EXIT
mkdir -p "$installation/Exe" "$installation/Dat"
printf 'Tripod\r\n4 3\r\n1 0 0 0 1 1 1\r\n2 2 0 0 1 1 1\r\n3 0 2 0 1 1 1\r\n4 0.7 0.6 1.5 0 0 0\r\n1 1 4 B 1e6 0\r\n2 2 4 B 1e6 0\r\n3 3 4 B 1e6 0\r\n' \
    >"$installation/Dat/Tripod.dat"
printf 'Pair\r\n1\r\n0\r\n1 2 0\r\n4 0 0 -10\r\n6 0 5 -10\r\n' >"$installation/Dat/Pair.inc"
cd "$installation/Exe"

wine "$build/suite/compound_ui/ombrix_compound.exe" "	" &
sleep 6
for _ in 1 2; do
    xdotool key alt+a; sleep 3
    xdotool type --delay 20 'C:\Ombrix\Dat\Tripod.dat'; xdotool key Return; sleep 2
done
xdotool key Tab Tab Tab Tab ctrl+a type '2'
xdotool key Tab Tab Tab ctrl+a type '90'
sleep 2
import -window root "$output/compound-root.png"
xdotool key alt+s; sleep 3
xdotool type --delay 20 'C:\Ombrix\Dat\Pair.dat'; xdotool key Return; sleep 2
wineserver -k

wine "$build/suite/programs/ombrix_prepare.exe" '..\Dat\Pair.dat' '..\Dat\Pair.rez' Short English
wine "$build/suite/programs/ombrix_forces.exe" '..\Dat\Pair.inc'
wine "$build/suite/programs/ombrix_solve.exe" 1
wine "$build/suite/compound_ui/ombrix_compoundpost.exe" "	" &
sleep 6
xdotool key Return; sleep 3
xdotool key Return; sleep 3
import -window root "$output/compoundpost-root.png"

convert "$output/compound-root.png" -trim +repage -strip "$output/compound.png"
convert "$output/compoundpost-root.png" -trim +repage -strip "$output/compoundpost.png"
