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
    python3-ezdxf python3-meshio                           # the exports read back as CAD and VTK
    nsis                                                   # the Windows installer (make dist)
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

# Sources that the build compiles itself, natively and for Windows alike, from Debian's
# source packages, unpacked under build/third-party: METIS, the ordering of the solver's
# factorisations.
third_party="$(cd "$(dirname "$0")/.." && pwd)/build/third-party"

enable_debian_sources() {
    apt-get source --print-uris "$1" >/dev/null 2>&1 && return 0
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        "$codename" | $sudo tee /etc/apt/sources.list.d/ombrix-sources.sources >/dev/null
    $sudo apt-get update -qq
}

# unpack_source PACKAGE FOLDER: the package's original sources in $third_party/FOLDER.
unpack_source() {
    [ -d "$third_party/$2" ] && return 0
    echo "Fetching the sources of $1"
    enable_debian_sources "$1"
    download=$(mktemp -d)
    (cd "$download" && apt-get source --download-only -qq "$1")
    mkdir -p "$third_party"
    tar -xf "$download"/"$1"_*.orig.tar.* -C "$download"
    mv "$download/$2" "$third_party/$2"
    rm -rf "$download"
}
unpack_source metis metis-5.1.0
