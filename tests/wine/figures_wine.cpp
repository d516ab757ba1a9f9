// The figure builder, the projection and the motion must give the same tables in the Windows
// build as natively (mingw-w64's own sine, cosine and number conversions): run the native tests
// of the figure model here.
#include "tests/native/builder_test.cpp"
#include "tests/native/motion_test.cpp"
