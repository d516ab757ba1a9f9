#include "figures/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace numbers {

// std::to_chars and std::from_chars are the library's own correctly rounded conversions, so the
// result does not depend on the C runtime's printf (mingw-w64 uses the old Microsoft one).
double roundToDigits(double value, int digits) {
    if (!std::isfinite(value)) {
        return value;
    }
    char text[64];
    auto written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, digits - 1);
    double result = value;
    std::from_chars(text, written.ptr, result);
    return result;
}

std::int32_t truncateToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 2147483647.0) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value <= -2147483648.0) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

} // namespace numbers
