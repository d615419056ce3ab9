#!/usr/bin/env bash
# The help's pictures of the graph programs' windows, each window four fifths of the
# screen (PeakFinder's as large as its table): Glance on the Cable Net sample with the node
# numbers on; Plotter on the Cable Net analysis, PlotterD (case 1, with its reactions) and
# PeakFinder (its cases, and its members' envelope) on the Bridge's, Charts on the Dome's (case 1, its snap-through), each
# analysis prepared, loaded and solved by the build's Prepare, Forces and Solve in a folder
# of its own. Run it through tools/with-wine.sh; for
# the help, on a virtual screen of 960 x 720:
#   OMBRIX_VIRTUAL_DISPLAY=1 OMBRIX_SCREEN=960x720x24 tools/with-wine.sh \
#       tools/graph_screenshots.sh WINDOWS_BUILD OUTPUT_FOLDER
set -euo pipefail

build=$(realpath "$1")
output=$(realpath -m "$2")
root=$(cd "$(dirname "$0")/.." && pwd)
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkdir -p "$output" "$folder/Exe" "$folder/Dat"
cp "$root"/install/Dat/*.dat "$root"/install/Dat/*.inc "$folder/Dat/"

# Starts the program in the Exe folder, presses the keys and saves a picture of its window.
picture() {
    local program=$1 argument=$2 name=$3 window=""
    shift 3
    (cd "$folder/Exe" && wine "$build/suite/viewers/ombrix_$program.exe" "$argument" >/dev/null 2>&1) &
    local started=$!
    for _ in $(seq 300); do
        window=$(xdotool search --onlyvisible --name '^OMBRIX - ' 2>/dev/null | head -n 1) && break
        sleep 0.1
    done
    for key in "$@"; do
        xdotool key --window "$window" "$key"
    done
    sleep 0.5
    import -window "$window" "$output/$name.png"
    # Ends the program with the prefix's Wine, so that the next one's window is its own.
    wineserver -k
    wait "$started" || true
    echo "$program: $output/$name.png"
}

# The sample's analysis, solved in every case, named in the Exe folder's work_dir.dat.
solve() {
    local sample=$1 programs="$build/suite/programs"
    shift
    (cd "$folder/Exe" &&
        wine "$programs/ombrix_prepare.exe" "..\\Dat\\$sample.dat" "..\\Dat\\$sample.rez" Short \
            English && wine "$programs/ombrix_forces.exe" "..\\Dat\\$sample.inc" &&
        wine "$programs/ombrix_solve.exe" "$@") >/dev/null 2>&1
}

picture glance "$(winepath -w "$folder/Dat/Cable Net.dat")" glance n
solve "Cable Net" 1 2
picture plotter "	" plotter
solve Bridge 0 1 2 3
picture plotterd "	" plotterd Next r
picture peakfinder "	" peakfinder
picture peakfinder "	" peakfinder-members ctrl+2
solve Dome 1 2
picture charts "	" charts
