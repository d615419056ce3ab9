#!/usr/bin/env bash
# Lays out an installation from a Windows build: the shell and everything beside it, and
# the suite's analysis programs, real or stand-in.
#   tools/install.sh BUILD PREFIX real|stand-in
set -euo pipefail
build=$1
prefix=$2
suite=$3
case "$suite" in
    real | stand-in) ;;
    *) echo "SUITE must be real or stand-in, not $suite" >&2; exit 2 ;;
esac
cmake --install "$build" --prefix "$prefix" --component installation
cmake --install "$build" --prefix "$prefix" --component "$suite"
