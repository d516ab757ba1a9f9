// Drives the wall ordering and the face outline with arbitrary tables: any point count, contour
// ranges, wall corners and projected coordinates (ties, NaN and infinities included). Every
// table stays within its declared size; what is checked is that nothing is read outside the
// slot's vertices and that the order lists each visible wall exactly once.
#include "figures/builder.h"
#include "figures/motion.h"
#include "render/face.h"
#include "render/walls.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

struct Bytes {
    const std::uint8_t* data;
    std::size_t size;

    std::uint8_t byte() {
        if (size == 0) {
            return 0;
        }
        --size;
        return *data++;
    }
    std::int32_t small(int low, int high) { return low + byte() % (high - low + 1); }
    // Mostly small whole numbers, so that ties, shared planes and equal slopes are common.
    double coordinate() {
        std::uint8_t kind = byte();
        if (kind < 200) {
            return small(-8, 8);
        }
        if (kind < 250) {
            return small(-100, 100) / 7.0;
        }
        double raw = 0;
        for (std::size_t i = 0; i < sizeof raw; ++i) {
            reinterpret_cast<std::uint8_t*>(&raw)[i] = byte();
        }
        return raw;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in{data, size};
    const int slot = in.small(0, figures::maxSlots + 1);
    const int s = slot >= 1 && slot <= figures::maxSlots ? slot : 1;
    const int n = in.small(-1, figures::maxPoints + 2);
    figures::pointCount[s] = n;
    figures::faceTurn[s] = in.small(0, 1);
    figures::figureHeader[s][figures::contourCountField] = in.small(-1, figures::maxContours + 2);
    for (int c = 1; c <= figures::maxContours; ++c) {
        figures::contourStart[s][c] = in.small(-1, figures::maxPoints + 2);
        figures::contourEnd[s][c] = in.small(-1, figures::maxPoints + 2);
    }
    for (int j = 1; j <= figures::maxPoints; ++j) {
        auto corner = [&] { return in.small(-1, figures::maxVertices + 1); };
        figures::sideQuad[s][j] = {0, corner(), corner(), corner(), corner()};
        figures::hullEdge[s][j] = in.small(0, 2);
    }
    // Vertices beyond the slot's own are poisoned: the ordering must never look at them.
    const int vertices = 2 * (n < 0 ? 0 : n > figures::maxPoints ? figures::maxPoints : n);
    for (int v = 0; v <= figures::maxVertices; ++v) {
        bool own = v >= 1 && v <= vertices;
        figures::projX[s][v] = own ? in.coordinate() : 1e300;
        figures::projY[s][v] = own ? in.coordinate() : -1e300;
        figures::projZ[s][v] = own ? in.coordinate() : 1e300;
        figures::screenX[s][v] = static_cast<std::int32_t>(in.small(-50, 50));
        figures::screenY[s][v] = static_cast<std::int32_t>(in.small(-50, 50));
    }

    render::decideFaces(slot);
    render::orderWalls(slot);
    render::outlineFace(slot);

    std::array<bool, figures::maxPoints + 1> seen{};
    if (render::wallOrderCount < 0 || render::wallOrderCount > vertices / 2) {
        std::abort();
    }
    for (int i = 0; i < render::wallOrderCount; ++i) {
        int wall = render::wallOrder[i];
        if (wall < 1 || wall > vertices / 2 || seen[wall]) {
            std::abort();
        }
        seen[wall] = true;
        const figures::SideQuad& q = figures::sideQuad[s][wall];
        for (int c : {q.corner1, q.corner2, q.corner3, q.corner4}) {
            if (c < 1 || c > vertices) {
                std::abort();
            }
        }
    }
    return 0;
}
