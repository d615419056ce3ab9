#!/usr/bin/env bash
# make bench: prints the machine and Wine it runs on, then the benchmark's table. Run it
# through tools/with-wine.sh, after make stage.
#   tools/bench.sh WINDOWS_BUILD [RUNS [BENCHMARK...]]
set -euo pipefail

build=$1
runs=${2:-10}

echo "Machine: $(grep -m 1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores"
echo "Wine: $(wine --version)"
echo "Load average before: $(cut -d ' ' -f 1-3 /proc/loadavg)"
echo
OMBRIX_STAGE=$(winepath -w "$build/stage") wine "$build/bench/ombrix_bench.exe" "$runs" "${@:3}"
echo
echo "Load average after: $(cut -d ' ' -f 1-3 /proc/loadavg)"
