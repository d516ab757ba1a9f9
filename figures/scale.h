// Display scaling. The row's pixel quantities (figure size, depth, travel step, ranges) are
// worked out as at 96 pixels per inch and then scaled to the DPI of the monitor the window is
// on, so the row keeps its physical size; the stored settings keep their 96-DPI meaning.
// Platform-free: the window procedure measures the DPI and sets it before every build.
#pragma once

#include <cstdint>

namespace figures {

constexpr std::int32_t baseDpi = 96;
// A DPI outside this range (none a display reports) is held to it.
constexpr std::int32_t leastDpi = 24;
constexpr std::int32_t mostDpi = 96 * 25;

// The DPI the row is built and drawn for; a build uses it throughout, so it changes only
// together with a build.
inline std::int32_t dpi = baseDpi;

// Holds a measured DPI to leastDpi..mostDpi; 0 or less (no answer) counts as baseDpi.
std::int32_t heldDpi(std::int64_t measured);

// value * to / from, rounded half away from zero, held to the 64-bit range; exact for every
// 64-bit value (no intermediate overflows). When to equals from the value comes back unchanged.
std::int64_t scaleBetween(std::int64_t value, std::int32_t to, std::int32_t from);

// A 96-DPI pixel quantity at the given DPI, and a pixel quantity at that DPI back in 96-DPI
// units.
inline std::int64_t toDpi(std::int64_t value, std::int32_t at) {
    return scaleBetween(value, heldDpi(at), baseDpi);
}
inline std::int64_t fromDpi(std::int64_t pixels, std::int32_t at) {
    return scaleBetween(pixels, baseDpi, heldDpi(at));
}

// The same at the DPI the row is built for.
inline std::int64_t scaled(std::int64_t value) {
    return toDpi(value, dpi);
}

} // namespace figures
