#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when any is missing.
set -euo pipefail

declare -A needed=(
    [cmake]=cmake
    [g++]=g++
    [make]=make
    [x86_64-w64-mingw32-g++-posix]=g++-mingw-w64-x86-64-posix
    [x86_64-w64-mingw32-windres]=binutils-mingw-w64-x86-64
    [wine]=wine
    [wine64]=wine64
    [Xvfb]=xvfb
    [xdpyinfo]=x11-utils
    [import]=imagemagick
    [xdotool]=xdotool
    [python3]=python3
)

missing=()
for command in "${!needed[@]}"; do
    command -v "$command" >/dev/null 2>&1 || missing+=("${needed[$command]}")
done
[ -f /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
