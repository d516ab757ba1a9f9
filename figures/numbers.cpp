#include "figures/numbers.h"

#include <bit>
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

namespace {

// Powers of ten that doubles hold exactly.
constexpr double exactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int largestExactPower = 22;

// a * b as an unevaluated sum high + low, exactly (Dekker's product: no fused multiply-add is
// needed, and the build contracts no expressions into one).
void exactProduct(double a, double b, double& high, double& low) {
    constexpr double splitter = 134217729.0; // 2^27 + 1
    double ca = splitter * a, cb = splitter * b;
    double aHigh = ca - (ca - a), aLow = a - aHigh;
    double bHigh = cb - (cb - b), bLow = b - bHigh;
    high = a * b;
    low = ((aHigh * bHigh - high) + aHigh * bLow + aLow * bHigh) + aLow * bLow;
}

// std::nearbyint for 0 <= x < 2^52: past 2^52 a double holds no fraction, so the addition rounds
// x to an integer as the current rounding mode does and the subtraction is exact (the build never
// lets the compiler reassociate floating point). mingw-w64's nearbyint goes through the x87 unit
// (fnstcw, fldcw, frndint, fclex), about 200 ns a call on our machines, against a few
// nanoseconds for glibc's or for this.
double nearestInteger(double x) {
    constexpr double twoToThe52 = 4503599627370496.0;
    return (x + twoToThe52) - twoToThe52;
}

} // namespace

// The text round trip keeps `digits` significant digits: it rounds m = |value| * 10^s to the
// nearest integer (ties to even), s chosen so that m has `digits` digits, and reads m / 10^s
// back correctly rounded. For 10^s exact and m below 2^53 both steps can be done in binary: the
// scaled value is held exactly as high + low, and m / 10^s is one correctly rounded division.
double roundToDigitsFast(double value, int digits) {
    double magnitude = std::fabs(value);
    if (magnitude == 0.0) {
        return value;
    }
    if (!std::isfinite(magnitude) || digits < 1 || digits > 15) {
        return roundToDigits(value, digits);
    }
    const double lowest = exactPowersOfTen[digits - 1], bound = exactPowersOfTen[digits];
    // floor(log10(magnitude)) from the binary exponent, at most one too small: 78913 / 2^18 is
    // log10(2) rounded up in its last place. Subnormals land far outside the fast range.
    int binaryExponent = static_cast<int>(std::bit_cast<std::uint64_t>(magnitude) >> 52) - 1023;
    int shift = digits - 1 - ((binaryExponent * 78913) >> 18);
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (shift < 0 || shift > largestExactPower) {
            break;
        }
        double high, low;
        exactProduct(magnitude, exactPowersOfTen[shift], high, low);
        if (high > bound || (high == bound && low >= 0.0)) {
            --shift;
            continue;
        }
        if (high < lowest || (high == lowest && low < 0.0)) {
            ++shift;
            continue;
        }
        // high carries a fraction of whole ulps and |low| is at most half an ulp, so only a
        // fraction of exactly one half can be moved across the rounding boundary by low. high is
        // below 10^15, in nearestInteger's range.
        double m = nearestInteger(high);
        double fraction = high - m;
        if (fraction == 0.5 && low > 0.0) {
            m += 1.0;
        } else if (fraction == -0.5 && low < 0.0) {
            m -= 1.0;
        }
        return std::copysign(m / exactPowersOfTen[shift], value);
    }
    return roundToDigits(value, digits);
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
