#include "figures/numbers.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {

double viaText(double value, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return std::strtod(text, nullptr);
}

TEST(RoundToDigits, MatchesTheTextRoundTripOnAwkwardValues) {
    const double awkward[] = {0.1 + 0.2,
                              29.999998,
                              -30.0000017,
                              1e-310,
                              5e-324,
                              123456789.5,
                              0.5,
                              2.5,
                              1.0 / 3.0,
                              -2.0 / 3.0,
                              1e22,
                              9.999999995,
                              0.0,
                              -0.0,
                              std::numeric_limits<double>::max(),
                              4.35,
                              1234567890123.45};
    for (int digits : {9, 12, 13}) {
        for (double v : awkward) {
            EXPECT_EQ(numbers::roundToDigits(v, digits), viaText(v, digits)) << v << " " << digits;
        }
    }
}

TEST(RoundToDigits, MatchesTheTextRoundTripOnRandomValues) {
    std::mt19937_64 gen(7);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-20, 20);
    for (int i = 0; i < 200000; ++i) {
        double v = std::ldexp(mantissa(gen), exponent(gen));
        for (int digits : {9, 12, 13}) {
            ASSERT_EQ(numbers::roundToDigits(v, digits), viaText(v, digits)) << v;
        }
    }
}

TEST(TruncateToInt, TruncatesTowardZeroAndSaturates) {
    EXPECT_EQ(numbers::truncateToInt(29.999998), 29);
    EXPECT_EQ(numbers::truncateToInt(-30.0000017), -30);
    EXPECT_EQ(numbers::truncateToInt(-1.5), -1);
    EXPECT_EQ(numbers::truncateToInt(1e300), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(numbers::truncateToInt(-1e300), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(numbers::truncateToInt(std::numeric_limits<double>::quiet_NaN()), 0);
}

} // namespace
