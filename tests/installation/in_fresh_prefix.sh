#!/usr/bin/env bash
# Runs a command under Wine in a Wine prefix made for it and removed after it: a machine
# that never had OMBRIX. tools/with-wine.sh readies the prefix as it readies its own.
set -euo pipefail
prefix=$(mktemp -d "${TMPDIR:-/tmp}/ombrix-prefix.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
WINEPREFIX=$prefix "$(dirname "$0")/../../tools/with-wine.sh" "$@"
