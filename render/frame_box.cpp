#include "render/frame_box.h"

#include "figures/bounds.h"
#include "figures/builder.h"
#include "figures/motion.h"
#include "settings/settings.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace render {

namespace {

int verticesOf(int slot) {
    return 2 * std::clamp<int>(figures::pointCount[slot], 0, figures::maxPoints);
}

} // namespace

int slotsInUse() {
    return figures::slotsInUse();
}

Extent measureExtent() {
    Extent e{figures::screenX[1][1], figures::screenY[1][1], figures::screenX[1][1],
             figures::screenY[1][1]};
    for (int s = 1; s <= slotsInUse(); ++s) {
        for (int v = 1; v <= verticesOf(s); ++v) {
            e.minX = std::min(e.minX, figures::screenX[s][v]);
            e.maxX = std::max(e.maxX, figures::screenX[s][v]);
            e.minY = std::min(e.minY, figures::screenY[s][v]);
            e.maxY = std::max(e.maxY, figures::screenY[s][v]);
        }
    }
    return e;
}

FrameBox placeFrameBox(const Extent& extent, BoxLimit limit) {
    using figures::stepX, figures::stepY;
    FrameBox b{};
    b.left = figures::saturate(
        std::min<std::int64_t>(extent.minX, std::int64_t{figures::boxMinX} - stepX));
    b.bottom = figures::saturate(
        std::min<std::int64_t>(extent.minY, std::int64_t{figures::boxMinY} + stepY));
    b.right = figures::saturate(
        std::max<std::int64_t>(extent.maxX, std::int64_t{figures::boxMaxX} - stepX));
    b.top = figures::saturate(
        std::max<std::int64_t>(extent.maxY, std::int64_t{figures::boxMaxY} + stepY));
    std::int32_t halfW = figures::clientWidth / 2;
    std::int32_t halfH = figures::clientHeight / 2;
    // Only the right and the top edge are held to the drawing area.
    if (b.right > halfW) {
        b.right = halfW;
        b.left = figures::saturate(-std::int64_t{halfW});
    }
    if (b.top > halfH) {
        b.top = halfH;
        b.bottom = figures::saturate(-std::int64_t{halfH});
    }
    // Strong perspective can throw points arbitrarily far out, and the box would ask for a bitmap
    // of any size. Nothing more than a whole drawing area past the left or the bottom edge of the
    // row centre can show in the window, so the box stops there.
    if (limit == BoxLimit::stopsOutside) {
        const std::int32_t leftStop = figures::saturate(-std::int64_t{figures::clientWidth});
        const std::int32_t bottomStop = figures::saturate(-std::int64_t{figures::clientHeight});
        b.stoppedLeft = b.left < leftStop;
        b.stoppedBottom = b.bottom < bottomStop;
        b.left = std::max(b.left, leftStop);
        b.bottom = std::max(b.bottom, bottomStop);
    }
    figures::boxMinX = b.left;
    figures::boxMinY = b.bottom;
    figures::boxMaxX = b.right;
    figures::boxMaxY = b.top;
    b.width = figures::saturate(std::int64_t{b.right} - b.left + 1);
    b.height = figures::saturate(std::int64_t{b.top} - b.bottom + 1);
    b.offsetX = figures::saturate(std::abs(std::int64_t{b.left}));
    b.offsetY = figures::saturate(std::abs(std::int64_t{b.top}));
    return b;
}

void rewriteIntoFrame(const FrameBox& box) {
    // Past a side where the box stopped short a point keeps its true place, so that every edge
    // into the window runs as with the whole box; held only to the coordinates GDI takes.
    constexpr std::int64_t gdiLimit = (std::int64_t{1} << 27) - 1;
    const std::int64_t leastX = box.stoppedLeft ? -gdiLimit : 0;
    const std::int64_t mostY =
        box.stoppedBottom ? std::max<std::int64_t>(gdiLimit, box.height) : box.height;
    for (int s = 1; s <= slotsInUse(); ++s) {
        for (int v = 1; v <= verticesOf(s); ++v) {
            std::int64_t x = std::int64_t{figures::screenX[s][v]} + box.offsetX;
            std::int64_t y = std::int64_t{box.offsetY} - figures::screenY[s][v];
            figures::screenX[s][v] =
                figures::saturate(std::max(std::min<std::int64_t>(x, box.width), leastX));
            figures::screenY[s][v] =
                figures::saturate(std::max<std::int64_t>(std::min(y, mostY), 0));
        }
    }
}

void keepExtent(const Extent& extent) {
    figures::boxMinX = extent.minX;
    figures::boxMinY = extent.minY;
    figures::boxMaxX = extent.maxX;
    figures::boxMaxY = extent.maxY;
}

bool lastSlotFirst() {
    return (figures::overallAngle / 180) % 2 == 0;
}

} // namespace render
