#!/usr/bin/env bash
# clang-tidy on src/, suite/ and common/ with the checked-in .clang-tidy, warnings as errors: the
# portable code through the native build's compile commands, the Windows code through
# the MinGW build's, read by clang as for the MinGW target.
#   tools/tidy.sh NATIVE_BUILD WINDOWS_BUILD
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
native=$1
windows=$2
jobs=${JOBS:-2}
cd "$root"

gcc_headers=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")/include/c++
windows_args=(--extra-arg=--target=x86_64-w64-mingw32
              "--extra-arg=-isystem$gcc_headers"
              "--extra-arg=-isystem$gcc_headers/x86_64-w64-mingw32"
              "--extra-arg=-isystem$gcc_headers/backward")

# Sources by the build that compiles them: the Windows build holds what includes
# <windows.h>, the native build everything else.
sources_of() {
    python3 -c 'import json, sys
for entry in json.load(open(sys.argv[1])): print(entry["file"])' "$1/compile_commands.json" |
        grep -E "^$root/(src|suite|common)/" | sort -u
}

status=0
sources_of "$native" | xargs -r -P "$jobs" -n 4 clang-tidy -p "$native" --quiet \
    --extra-arg=-Wno-unknown-warning-option || status=1
comm -23 <(sources_of "$windows") <(sources_of "$native") |
    xargs -r -P "$jobs" -n 4 clang-tidy -p "$windows" --quiet \
        --extra-arg=-Wno-unknown-warning-option "${windows_args[@]}" || status=1
exit $status
