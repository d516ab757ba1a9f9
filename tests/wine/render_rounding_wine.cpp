// The fast digit rounding against mingw-w64's exact (ANSI) printf and strtod: the Windows build
// must round exactly as the native one.
#define __USE_MINGW_ANSI_STDIO 1
#include "tests/native/render_rounding_test.cpp"
