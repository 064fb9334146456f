#!/usr/bin/env bash
# Counts non-blank, non-comment lines of C++ (.cpp/.h): tests/ against the rest.
#   tools/count-lines.sh [dir...]   (default: the whole checkout)
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
    # Strips /* */ and // comments (not inside string literals), then blank lines.
    perl -0777 -ne '
        s{("(?:\\.|[^"\\])*"|'"'"'(?:\\.|[^'"'"'\\])*'"'"')|/\*.*?\*/|//[^\n]*}{defined $1 ? $1 : ""}gse;
        print scalar(grep { /\S/ } split /\n/), "\n";' "$@" | paste -sd+ | bc
}
files() { find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -not -path './build*' | sort; }
if [ $# -gt 0 ]; then
    for d in "$@"; do printf '%6d %s\n' "$(count $(files "$d"))" "$d"; done
    exit 0
fi
tests=$(count $(files ./tests))
others=$(count $(files . -not -path './tests/*'))
total=$((tests + others))
echo "tests $tests, others $others, total $total, tests share $((100 * tests / total))%"
