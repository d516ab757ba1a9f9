// Drives the figure builder and a few frames of projection and motion with arbitrary settings,
// drawing-area sizes and outline tables, and checks that every wall corner names a vertex of its
// figure and every projected coordinate is finite. Values come from the input as one byte
// (below 0x80: a small value, byte - 64) or as a marker byte followed by a full 32-bit value.
#include "figures/builder.h"
#include "figures/motion.h"
#include "settings/settings.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

struct Input {
    const std::uint8_t* data;
    std::size_t size;

    std::int32_t next() {
        if (size == 0) {
            return 0;
        }
        std::uint8_t head = *data++;
        --size;
        if (head < 0x80 || size < 4) {
            return head < 0x80 ? head - 64 : head;
        }
        std::uint32_t value;
        std::memcpy(&value, data, 4);
        data += 4;
        size -= 4;
        return static_cast<std::int32_t>(value);
    }
};

void check(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

void fillSettings(Input& in) {
    using namespace settings;
    OPTIONN = in.next();
    OPTIONP = in.next();
    HABA = in.next();
    HABAJIDO = in.next();
    SIZE = in.next();
    SIZEY = in.next();
    SIZEIDO = in.next();
    ENKIN = in.next();
    COLOR = in.next();
    COLORS = in.next();
    VIEW = in.next();
    KAITEN = in.next();
    STEPRAG = in.next();
    figures::clientWidth = in.next();
    figures::clientHeight = in.next();
    figures::randomState = static_cast<std::uint32_t>(in.next());
}

void fillSlot(Input& in, int s) {
    using namespace figures;
    settings::OPTIONC[s] = in.next();
    settings::ZKAITEN[s] = in.next();
    settings::STEPRAGS[s] = in.next();
    slotAngle[s] = in.next();
    pointCount[s] = in.next();
    for (auto& h : figureHeader[s]) {
        h = in.next();
    }
    for (int c = 1; c <= maxContours; ++c) {
        contourStart[s][c] = in.next();
        contourEnd[s][c] = in.next();
    }
    for (int k = 1; k <= maxPoints; ++k) {
        outlineX[s][k] = in.next();
        outlineY[s][k] = in.next();
    }
}

int slotsInUse() {
    return std::clamp<int>(settings::OPTIONN, 0, figures::maxSlots);
}

void checkBuild() {
    using namespace figures;
    for (int s = 1; s <= slotsInUse(); ++s) {
        int n = pointCount[s];
        check(n >= 0 && n <= maxPoints);
        for (int k = 1; k <= n; ++k) {
            const SideQuad& w = sideQuad[s][k];
            for (int corner : {w.corner1, w.corner2, w.corner3, w.corner4}) {
                check(corner >= 1 && corner <= 2 * n);
            }
            check(hullEdge[s][k] == 0 || hullEdge[s][k] == 1);
        }
    }
}

void checkFrame() {
    using namespace figures;
    for (int s = 1; s <= slotsInUse(); ++s) {
        for (int v = 1; v <= 2 * pointCount[s]; ++v) {
            check(std::isfinite(projX[s][v]) && std::isfinite(projY[s][v]) &&
                  std::isfinite(projZ[s][v]));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace figures;
    Input in{data, size};
    pointCount = {};
    figureHeader = {};
    fillSettings(in);
    for (int s = 1; s <= maxSlots && in.size > 0; ++s) {
        fillSlot(in, s);
    }
    buildFigures();
    checkBuild();
    for (int frame = 0; frame < 3; ++frame) {
        projectFigures();
        checkFrame();
        boxMaxX = in.next();
        boxMaxY = in.next();
        advanceMotion();
    }
    return 0;
}
