#!/usr/bin/env bash
# Installs the Debian packages that building, testing and the demo need, and any named on
# the command line, when any is missing. Runs of it wait for each other, so that builds
# started together never run apt at the same time.
set -euo pipefail

packages=(
    cmake g++ make python3
    clang clang-tidy                                       # sanitizers, fuzzing, clang-tidy
    googletest                                             # GoogleTest's sources
    libeigen3-dev                                          # the solver's sparse algebra
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64  # the Windows cross build
    wine wine64 fonts-wine                                 # running it
    xvfb x11-utils xdotool imagemagick librsvg2-bin        # a virtual display, screenshots, icons
    fp-utils libchm-bin                                    # the help file: compile, read back
    "$@"
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

missing_of() {
    for package in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
        [ "$status" = "install ok installed" ] || echo "$package"
    done
}

install() {
    mapfile -t missing < <(missing_of "$@")
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

exec 9>"${TMPDIR:-/tmp}/ombrix-install-deps.lock"
flock 9
install "${packages[@]}"
# The sanitizers' runtime of the clang that is installed, whichever version it is.
clang_major=$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n 1)
install "libclang-rt-$clang_major-dev"
