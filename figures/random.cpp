#include "figures/bounds.h"
#include "figures/builder.h"

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

// Each direction has probability one quarter; the step is SIZEIDO + 1 to SIZEIDO + 4.
void pickDirection() {
    int r = nextRandom();
    randomDirection = r >= 0x6000 ? 1 : r >= 0x4000 ? 2 : r >= 0x2000 ? 3 : 4;
    randomSpeed = saturate(std::int64_t{randomDirection} + settings::SIZEIDO);
}

} // namespace figures
