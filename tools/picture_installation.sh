# Sourced by the scripts that take the help file's pictures, with their arguments BUILD and
# OUTPUT_FOLDER: sets build and output to their full paths, lays out an installation with
# the samples at C:\Ombrix (as the pictures show it), and moves into its Exe folder. The
# installation and the Wine session end with the script.
build=$(cd "$1" && pwd)
mkdir -p "$2"
output=$(cd "$2" && pwd)
installation="$WINEPREFIX/drive_c/Ombrix"
rm -rf "$installation"
trap 'wineserver -k; rm -rf "$installation"' EXIT
mkdir -p "$installation/Exe" "$installation/Dat"
cp "$(dirname "${BASH_SOURCE[0]}")"/../install/Dat/* "$installation/Dat/"
cd "$installation/Exe"
