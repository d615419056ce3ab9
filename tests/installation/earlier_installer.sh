#!/usr/bin/env bash
# The installer of an earlier version for the upgrade test: this build's installation with
# files this build no longer has (a program's library, a folder of notes, two samples),
# numbered 0.9.0.
#   earlier_installer.sh PYTHON MAKENSIS INSTALLER_SCRIPT INSTALLATION OUTPUT_SETUP
set -euo pipefail
python=$1 makensis=$2 script=$3 installation=$4 setup=$5
earlier=$(dirname "$setup")/OMBRIX-0.9.0-win64
mkdir -p "$(dirname "$setup")"
rm -rf "$earlier"
cp -r "$installation" "$earlier"
mkdir -p "$earlier/Doc/Retired"
for dropped in "Exe/Retired.dll" "Doc/Retired/Notes.txt" "Dat/Retired.dat" \
               "Dat/Retired Edited.dat"; do
    printf 'in 0.9.0 only\r\n' > "$earlier/$dropped"
done
"$python" "$(dirname "$0")/../../tools/installer_files.py" "$earlier" "$earlier.nsh"
"$makensis" -V2 -DVERSION=0.9.0 -DOUTFILE="$setup" -DINSTALLATION="$earlier" \
    -DINSTALLATION_FILES="$earlier.nsh" "$script"
