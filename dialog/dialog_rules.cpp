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

} // namespace dialog
