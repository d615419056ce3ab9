#!/usr/bin/env bash
# Runs every fuzz target of a sanitizer build for a while, starting from its saved inputs
# (tests/fuzz/corpus/<target>). New inputs and any crash are kept under build/fuzz/<target>;
# copy an input worth keeping into the saved corpus, where `make test` replays it.
#   tools/fuzz.sh SANITIZE_BUILD SECONDS
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
seconds=$2
status=0
for target in "$build"/tests/fuzz/ombrix_*_fuzz "$build"/tests/fuzz/*/ombrix_*_fuzz; do
    [ -x "$target" ] || continue
    name=$(basename "$target" _fuzz)
    name=${name#ombrix_}
    found="$root/build/fuzz/$name"
    mkdir -p "$found"
    echo "== $name: $seconds s"
    "$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$found/" \
        "$found" "$root/tests/fuzz/corpus/$name" 2>&1 | grep -E "stat::number_of_executed_units|crash|ERROR|Done" || true
    if ls "$found"/crash-* "$found"/leak-* "$found"/timeout-* >/dev/null 2>&1; then
        echo "!! $name found a fault: see $found"
        status=1
    fi
done
exit $status
