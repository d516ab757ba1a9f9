// The fast digit rounding must give exactly the doubles of the text round trip (format with the
// given significant digits, read back), which is how the wall ordering's results are defined.
#include "figures/numbers.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

namespace {

double throughText(double value, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return std::strtod(text, nullptr);
}

std::uint64_t bitsOf(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

void expectSameAsText(double value, int digits) {
    ASSERT_EQ(bitsOf(numbers::roundToDigitsFast(value, digits)), bitsOf(throughText(value, digits)))
        << std::hexfloat << value << " to " << digits << " digits";
}

TEST(FastRounding, ExactTiesAndTheirNeighboursRoundAsText) {
    // 12 and 13 digits as the wall ordering uses them; 1 and 15, the ends of the fast range.
    for (int digits : {1, 12, 13, 15}) {
        double unit = std::pow(10.0, digits - 1);
        std::mt19937_64 gen(digits);
        std::uniform_int_distribution<std::int64_t> mantissa(
            static_cast<std::int64_t>(unit), static_cast<std::int64_t>(unit * 10) - 1);
        for (int i = 0; i < 10000; ++i) {
            // m + 0.5 is exact: a tie between m and m + 1, scaled by exact powers of two.
            double tie = static_cast<double>(mantissa(gen)) + 0.5;
            for (double scale : {1.0, 0.5, 0.25, 2.0, 1.0 / 1024}) {
                double v = tie * scale;
                expectSameAsText(v, digits);
                expectSameAsText(std::nextafter(v, 0.0), digits);
                expectSameAsText(std::nextafter(v, 1e300), digits);
                expectSameAsText(-v, digits);
            }
        }
        // Around the powers of ten, where the number of digits changes.
        for (int e = -12; e <= 16; ++e) {
            double p = std::pow(10.0, e);
            for (double v :
                 {p, std::nextafter(p, 0.0), std::nextafter(p, 1e300), p * (1 - 0.5 / unit / 10),
                  p * (1 - 0.4 / unit / 10), p * (1 - 0.6 / unit / 10)}) {
                expectSameAsText(v, digits);
            }
        }
    }
}

TEST(FastRounding, RandomGeometryAndRandomMagnitudesRoundAsText) {
    std::mt19937_64 gen(11);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-60, 60);
    std::uniform_int_distribution<int> pixel(-2000, 2000);
    for (int i = 0; i < 100000; ++i) {
        // Slopes, intercepts and interpolated depths as the crossing tests produce them.
        double dy = pixel(gen) + unit(gen), dx = pixel(gen) + unit(gen);
        double slope = dy / dx;
        double crossing = (pixel(gen) * unit(gen) - slope * pixel(gen)) / (slope - unit(gen));
        double any = std::ldexp(unit(gen), exponent(gen));
        for (int digits : {9, 12, 13}) {
            expectSameAsText(slope, digits);
            expectSameAsText(crossing, digits);
            expectSameAsText(any, digits);
        }
    }
}

TEST(FastRounding, ValuesOutsideTheFastRangeFallBackToText) {
    for (double v : {0.0, -0.0, 5e-324, 1e-300, 1e300, 123456789012345678.0, 1.0 / 0.0}) {
        expectSameAsText(v, 13);
    }
    EXPECT_TRUE(std::isnan(numbers::roundToDigitsFast(std::nan(""), 13)));
}

} // namespace
