#!/usr/bin/env bash
# Installs the Debian packages that building, testing and the demo need, and any named on
# the command line, when any is missing.
set -euo pipefail

packages=(
    cmake g++ make python3
    clang clang-tidy libclang-rt-14-dev                    # sanitizers, fuzzing, clang-tidy
    googletest                                             # GoogleTest's sources
    libeigen3-dev                                          # the solver's sparse algebra
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64  # the Windows cross build
    wine wine64 fonts-wine                                 # running it
    xvfb x11-utils xdotool imagemagick librsvg2-bin        # a virtual display, screenshots, icons
    fp-utils libchm-bin                                    # the help file: compile, read back
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
