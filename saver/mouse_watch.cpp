#include "saver/saver.h"

namespace saver {

void watchMouseFrom(std::int32_t x, std::int32_t y) {
    mouseWatch = {x, y, false};
}

bool mouseMovedAway(std::int32_t x, std::int32_t y) {
    // The first report may be the system's own; it also stands for the cursor's place when the
    // place taken at the start was stale (Wine knows the cursor only once it has moved).
    if (!mouseWatch.firstMoveSeen) {
        mouseWatch = {x, y, true};
        return false;
    }
    std::int64_t dx = std::int64_t{x} - mouseWatch.startX;
    std::int64_t dy = std::int64_t{y} - mouseWatch.startY;
    return dx > mouseSlack || dx < -mouseSlack || dy > mouseSlack || dy < -mouseSlack;
}

} // namespace saver
