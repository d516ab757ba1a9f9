// Shared numeric helpers: values compared with geometry are first rounded to a fixed number of
// significant decimal digits, exactly as formatting them as text and reading the text back
// would, and identically in the native and the Windows builds.
#pragma once

#include <cstdint>

namespace numbers {

double roundToDigits(double value, int digits);

// Truncation toward zero into a 32-bit integer, saturating outside its range (NaN gives 0).
std::int32_t truncateToInt(double value);

} // namespace numbers
