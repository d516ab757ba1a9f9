// The rounding must give the same doubles in the Windows build as natively: run the native tests
// here against mingw-w64's exact (ANSI) printf.
#define __USE_MINGW_ANSI_STDIO 1
#include "tests/native/numbers_test.cpp"
