#include "figures/bounds.h"
#include "figures/builder.h"
#include "figures/scale.h"

#include <algorithm>

namespace figures {

void seedRandom(std::uint32_t seed) {
    randomState = seed;
}

namespace {

int nextRandom() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7FFF);
}

} // namespace

// Each direction has probability one quarter; the step is SIZEIDO + 1 to SIZEIDO + 4 pixels at
// 96 DPI, scaled to the display.
void pickDirection() {
    int r = nextRandom();
    randomDirection = r >= 0x6000 ? 1 : r >= 0x4000 ? 2 : r >= 0x2000 ? 3 : 4;
    // Held short of INT32_MIN, so that its magnitude and its negation always fit.
    randomSpeed = static_cast<std::int32_t>(std::clamp<std::int64_t>(
        scaled(std::int64_t{randomDirection} + settings::SIZEIDO), -INT32_MAX, INT32_MAX));
}

} // namespace figures
