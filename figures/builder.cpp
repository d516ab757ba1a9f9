// (stub: the figure builder is being written)
#include "figures/builder.h"

namespace figures {
void buildFigures() {}
void seedRandom(std::uint32_t seed) {
    randomState = seed;
}
void pickDirection() {}
} // namespace figures
