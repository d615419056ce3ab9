#!/usr/bin/env bash
# Refreshes docs/tour.md and its pictures from the last tour (make tour): each picture
# made smaller for the repository, under the line that says what it shows.
#   tools/tour_docs.sh
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
tour="$root/build/tour"
pictures="$root/docs/tour"
[ -s "$tour/tour.txt" ] || { echo "No tour in $tour: run make tour first." >&2; exit 1; }
rm -rf "$pictures"
mkdir -p "$pictures"
{
    echo "# The guided tour"
    echo
    echo "\`make tour\` (and \`make demo\` on a machine without a display) drives the shell and the"
    echo "suite's programs through a complete analysis of a cable net, as a user would, and"
    echo "saves a picture of each step under \`build/tour\`; \`make test\` takes the tour once, so"
    echo "a step that stops working fails the tests. These pictures come from it"
    echo "(\`tools/tour_docs.sh\` refreshes them)."
    tr -d '\r' <"$tour/tour.txt" | while IFS= read -r line; do
        file=${line%%: *}
        what=${line#*: }
        convert "$tour/$file" -resize '560x560>' -colors 64 "PNG8:$pictures/$file"
        printf '\n%s\n\n![%s](tour/%s)\n' "$what" "${file%.png}" "$file"
    done
} >"$root/docs/tour.md"
echo "docs/tour.md: $(ls "$pictures" | wc -l) pictures, $(du -sh "$pictures" | cut -f1)"
