#!/usr/bin/env bash
# Runs the Release ctest suite and every sanitizer test program that
# tools/run-tests.sh builds, ROUNDS times (default 3), pinned to two cores
# that four busy loops also occupy: a test whose verdict depends on the
# machine's speed shows up here. Expects tools/run-tests.sh to have run.
#   tools/run-tests-loaded.sh
set -uo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
source "$here/tools/sanitizer-runs.sh"
build="${BUILD_DIR:-$here/build}"
cores="${CORES:-0,1}"

loops=()
for _ in 1 2 3 4; do taskset -c "$cores" sh -c 'while :; do :; done' & loops+=($!); done
trap 'kill "${loops[@]}" 2>/dev/null' EXIT

passed=0 failed=0
record() { # label, exit status
    if [ "$2" -eq 0 ]; then passed=$((passed + 1)); echo "ok    $1"; else failed=$((failed + 1)); echo "FAIL  $1"; fi
}
quietly() { # label, command...: its output only when it fails
    local label="$1" log status
    shift
    log="$(mktemp)"
    timeout -k 10 1200 taskset -c "$cores" "$@" > "$log" 2>&1
    status=$?
    [ "$status" -eq 0 ] || cat "$log"
    rm -f "$log"
    record "$label" "$status"
}
run() { # kind, program
    local runner
    choose_runner "$2"
    quietly "round $round $1 $2" "${runner[@]}" "$(find "$build-$1/tests" -type f -name "$2" | head -n 1)" --gtest_brief=1
}

for round in $(seq 1 "${ROUNDS:-3}"); do
    quietly "round $round release ctest" ctest --test-dir "$build" -j 4 --timeout 600 --output-on-failure
    for program in "${tsan_programs[@]}"; do run thread "$program"; done
    for program in "${asan_programs[@]}"; do run address "$program"; done
done
echo "loaded: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
