#include "dialog/dialog_rules.h"

#include <algorithm>
#include <cstdint>

namespace dialog {

settings::Value movedBarValue(settings::Value value, BarMove move, int thumbPosition,
                              const BarRange& range) {
    // Wide arithmetic, so a stored value at either end of 32 bits steps without overflow; the
    // result is a bound or lies between the stored value and a bound, so it fits again.
    const std::int64_t v = value;
    switch (move) {
    case BarMove::lineLeft:
        return static_cast<settings::Value>(
            std::max<std::int64_t>(v - range.lineStep, range.least));
    case BarMove::lineRight:
        return static_cast<settings::Value>(
            std::min<std::int64_t>(v + range.lineStep, range.greatest));
    case BarMove::pageLeft:
        return static_cast<settings::Value>(
            std::max<std::int64_t>(v - range.pageStep, range.least));
    case BarMove::pageRight:
        return static_cast<settings::Value>(
            std::min<std::int64_t>(v + range.pageStep, range.greatest));
    case BarMove::thumb: return thumbPosition;
    case BarMove::none: break;
    }
    return value;
}

std::int32_t heldScroll(std::int64_t wanted, const ScrollSpan& span) {
    const std::int64_t most = std::max<std::int64_t>(0, std::int64_t{span.content} - span.visible);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(wanted, 0, most));
}

std::int32_t scrollShowing(std::int32_t position, std::int32_t top, std::int32_t bottom,
                           const ScrollSpan& span) {
    std::int64_t wanted = position;
    if (std::int64_t{bottom} > std::int64_t{position} + span.visible) {
        wanted = std::int64_t{bottom} - span.visible;
    }
    if (top < wanted) {
        wanted = top;
    }
    return heldScroll(wanted, span);
}

} // namespace dialog
