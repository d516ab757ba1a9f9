#include "dialog/dialog_rules.h"

#include <algorithm>
#include <cstdint>

namespace dialog {

settings::Value movedBarValue(settings::Value value, BarMove move, int thumbPosition,
                              const BarRange& range) {
    // Wide arithmetic, so a stored value at either end of 32 bits steps without overflow; the
    // result is a bound or lies between the stored value and a bound, so it fits again.
    const std::int64_t v = value;
    std::int64_t step = 0;
    switch (move) {
    case BarMove::lineLeft: step = -std::int64_t{range.lineStep}; break;
    case BarMove::lineRight: step = range.lineStep; break;
    case BarMove::pageLeft: step = -std::int64_t{range.pageStep}; break;
    case BarMove::pageRight: step = range.pageStep; break;
    case BarMove::thumb: return thumbPosition;
    case BarMove::none: return value;
    }
    // Only the bound moved towards is enforced: a stored value beyond the other stays beyond it.
    return static_cast<settings::Value>(step < 0 ? std::max<std::int64_t>(v + step, range.least)
                                                 : std::min<std::int64_t>(v + step, range.greatest));
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
