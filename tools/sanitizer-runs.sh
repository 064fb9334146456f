# What the test scripts share about the sanitizer builds' test programs
# (sourced by tools/run-tests.sh and tools/run-tests-loaded.sh).
tsan_programs=(processor_concurrency_tests editor_concurrency_tests)
asan_programs=(dsp_tests processor_tests processor_concurrency_tests lookandfeel_tests editor_tests
    host_integration_tests editor_concurrency_tests editor_window_tests)

export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$here/tools/tsan.supp"
export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$here/tools/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1 halt_on_error=1"

# How a program is started: those that open windows and menus get a private
# virtual display; the others run headless whatever X server the machine has.
# Prints nothing; sets `runner`.
choose_runner() {
    runner=(env DISPLAY=:65535)
    case "$1" in editor_tests|editor_window_tests) runner=("$here/tests/editor/with-xvfb.sh") ;; esac
}
