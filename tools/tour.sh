#!/usr/bin/env bash
# The guided tour of a complete analysis, driven in a copy of the installation, with a
# picture of each step and what it shows under build/tour.
#   tools/tour.sh INSTALLATION
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
installation=$(realpath "$1")
mkdir -p "$root/build/tour"
# A Wine prefix of its own, whose Notepad is the real one (the tests' prefix has a
# stand-in); the tour, a Windows program, is given the folders as Wine names them.
export WINEPREFIX="$root/build/tour-wineprefix"
"$root/tools/with-wine.sh" bash -c 'wine "$0" "$(winepath -w "$1")" "$(winepath -w "$2")"' \
    "$root/build/windows/tour/ombrix_tour.exe" "$installation" "$root/build/tour"
echo "The pictures, and tour.txt saying what each shows: $root/build/tour"
