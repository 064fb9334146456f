# The test programs the sanitizer builds run (sourced by the test scripts).
tsan_programs=(processor_concurrency_tests editor_concurrency_tests)
asan_programs=(dsp_tests processor_tests processor_concurrency_tests lookandfeel_tests editor_tests
    host_integration_tests editor_concurrency_tests editor_window_tests)
