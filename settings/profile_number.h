// How the platform's private-profile integer read turns a value into a number, shared by the
// Windows layer and the in-memory file so both read a value alike.
#pragma once

#include <cstdint>

namespace profile {

// The read looks at no more than the first integerTextSize - 1 characters of a value.
constexpr std::uint32_t integerTextSize = 30;

// Blanks and control characters skipped, an optional sign, then the digits of a decimal number,
// or of one prefixed 0x, 0o or 0b, accumulated modulo 2^32 up to the first other character; a
// minus negates modulo 2^32. So "4294967288" and "-8" both give the pattern of -8, "12abc" 12
// and "abc" 0.
std::uint32_t integerValue(const char* text);

} // namespace profile
