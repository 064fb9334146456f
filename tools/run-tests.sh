#!/usr/bin/env bash
# Runs every test: the Release build's whole suite, then the concurrency
# tests under ThreadSanitizer and the unit, integration and editor-window
# tests under AddressSanitizer with UndefinedBehaviorSanitizer (the editor
# tests against a private Xvfb server). Expects tools/setup-and-build.sh to
# have run.
#   tools/run-tests.sh              (SANITIZERS=0 skips the sanitizer builds)
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
jobs="${JOBS:-$(nproc)}"

[ -f "$build/build.ninja" ] || cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j "$jobs"

log="$(mktemp)"
trap 'rm -f "$log"' EXIT

# A test that hangs fails instead of holding the run: each has ten minutes.
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 600 | tee "$log"
passed="$(sed -n 's/.* out of \([0-9]*\)$/\1/p' "$log" | tail -n 1)"

summary() { echo "summary: ${passed:-0} passed, 0 failed"; }

if [ "${SANITIZERS:-1}" = "0" ]; then summary; exit 0; fi

# Sanitizer builds of the test programs, each run directly.
sanitized() {
    local kind="$1"; shift
    local dir="$build-$kind"
    cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DONDREL_SANITIZE="$kind" > /dev/null
    cmake --build "$dir" -j "$jobs" --target "$@"
    local program
    for program in "$@"; do
        echo "== $kind: $program"
        local runner
        choose_runner "$program"
        timeout -k 10 1200 "${runner[@]}" "$(find "$dir/tests" -type f -name "$program" | head -n 1)" --gtest_brief=1 \
            | tee "$log"
        passed=$(( passed + $(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -n 1) ))
    done
}

source "$here/tools/sanitizer-runs.sh"
sanitized thread "${tsan_programs[@]}"
sanitized address "${asan_programs[@]}"
summary
