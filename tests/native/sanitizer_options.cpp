// The sanitizers' options for the native tests, built into the program so that every way of
// running it has them: each test case as CTest runs it, or the whole program by hand. A leak
// fails the run; an undefined behaviour report shows where it happened.

extern "C" const char* __asan_default_options() { return "detect_leaks=1"; }
extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1"; }
