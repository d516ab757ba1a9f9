#include "figures/scale.h"

#include <algorithm>
#include <limits>

namespace figures {

std::int32_t heldDpi(std::int64_t measured) {
    if (measured <= 0) {
        return baseDpi;
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(measured, leastDpi, mostDpi));
}

std::int64_t scaleBetween(std::int64_t value, std::int32_t to, std::int32_t from) {
    to = heldDpi(to);
    from = heldDpi(from);
    if (to == from) {
        return value;
    }
    // value = whole * from + part, |part| < from, both with the sign of value: the whole part
    // scales exactly, the part is rounded on its own.
    constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
    const std::int64_t whole = value / from;
    const std::int64_t part = value % from;
    if (whole > most / to - 1) {
        return most;
    }
    if (whole < -(most / to - 1)) {
        return std::numeric_limits<std::int64_t>::min();
    }
    const std::int64_t twice = 2 * part * to;
    const std::int64_t rounded = (twice + (twice < 0 ? -from : from)) / (2 * std::int64_t{from});
    return whole * to + rounded;
}

} // namespace figures
