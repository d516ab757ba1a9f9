// Shared numeric helpers: values compared with geometry are first rounded to a fixed number of
// significant decimal digits, exactly as formatting them as text and reading the text back
// would, and identically in the native and the Windows builds.
#pragma once

#include <cstdint>

namespace numbers {

double roundToDigits(double value, int digits);

// The same result as roundToDigits, bit for bit, without going through text for the values
// geometry produces (magnitudes from about 1e-10 up to 10^digits, digits up to 15); the wall
// ordering rounds every crossing with it.
double roundToDigitsFast(double value, int digits);

// Truncation toward zero into a 32-bit integer, saturating outside its range (NaN gives 0).
std::int32_t truncateToInt(double value);

} // namespace numbers
