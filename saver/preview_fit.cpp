#include "saver/saver.h"

#include "figures/bounds.h"
#include "figures/figures.h"
#include "figures/scale.h"
#include "settings/settings.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace saver {

namespace {

// Pixels kept free at the edges for the truncations of the build and the projection, and one
// more for the rounding of every place when the row is scaled to the preview's own scale.
constexpr double edgeMargin = 2.0;
constexpr double scalingMargin = 1.0;

// Below this scale (SIZE and SIZEY as they stand drawn at the least DPI) the sizes shrink.
constexpr double leastScale = figures::leastDpi / static_cast<double>(figures::baseDpi);

struct Room {
    double across, up;
};

// How far a point at distance `radius` from the axis it turns about lands from that axis, at
// most, after the perspective: at turn angle a it stands at radius * cos a with depth
// radius * sin a, and radius * cos a / (1 - f * radius * sin a) is greatest where sin a is
// f * radius. Infinite when the point can reach the viewer.
double turningReach(double radius, double f) {
    const double nearness = f * radius;
    return nearness < 1.0 ? radius / std::sqrt(1.0 - nearness * nearness)
                          : std::numeric_limits<double>::infinity();
}

// A reach past the perspective's divisor 1 - f * depth; infinite when that can reach zero.
double nearReach(double extent, double depth, double f) {
    const double divisor = 1.0 - f * depth;
    return divisor > 0.0 ? extent / divisor : std::numeric_limits<double>::infinity();
}

// The greatest scale at which the row with its sizes times `shrink` projects inside the room
// (pixels from the middle) however it turns, tilts and comes nearer; 0 when a vertex can reach
// the viewer. Extents are worked out in 96-DPI pixels: the builder lays point (x, y) of slot s
// at (SIZEY * x / 10 + centre, SIZE * y / 10), its depth is HABA * SIZE each way (HABA is 3
// while the builder sets the depth itself). The turn about the vertical axis keeps the
// distance from the axis, a figure's own turn keeps the distance from its cell centre in its
// plane, the view tilt keeps the distance from the horizontal axis; the perspective (divisor
// 1 + f * depth, f = |ENKIN| / 10000 at 96 DPI) scales with the DPI as the row does.
double greatestScale(const Room& room, double shrink) {
    const int slots = figures::slotsInUse();
    const double sizeX = settings::SIZEY * shrink;
    const double sizeY = settings::SIZE * shrink;
    const double depth = (settings::HABAJIDO != 0 ? 3.0 : settings::HABA) * sizeY;
    const double f = std::abs(static_cast<double>(settings::ENKIN)) / 10000.0;
    const bool ownAxis = settings::KAITEN != 0;
    const bool tilted = settings::VIEW != 0;
    double across = 0.0;
    double up = 0.0;
    for (int s = 1; s <= slots; ++s) {
        const double centre = std::abs((10.0 * (s - 1) - 5.0 * (slots - 1)) * sizeX);
        const bool turnsAlone = settings::ZKAITEN[s] != 0;
        for (int k = 1; k <= figures::pointsOf(s); ++k) {
            const double x = sizeX * figures::outlineX[s][k] / 10.0;
            const double y = sizeY * figures::outlineY[s][k] / 10.0;
            const double inPlane = std::hypot(x, y);
            const double sideways = turnsAlone ? inPlane : std::abs(x);
            const double upward = turnsAlone ? inPlane : std::abs(y);
            const double radius =
                ownAxis ? std::hypot(sideways, depth) : std::hypot(centre + sideways, depth);
            const double offAxis = ownAxis ? centre : 0.0;
            if (tilted) {
                const double deep = std::hypot(upward, radius);
                across = std::max(across, nearReach(offAxis + radius, deep, f));
                up = std::max(up, nearReach(deep, deep, f));
            } else {
                across = std::max(across, offAxis + turningReach(radius, f));
                up = std::max(up, nearReach(upward, radius, f));
            }
        }
    }
    const double byWidth = across > 0.0 ? room.across / across : 1e300;
    const double byHeight = up > 0.0 ? room.up / up : 1e300;
    return std::min(byWidth, byHeight);
}

// The greatest factor for the sizes at which the row fits the room at the given scale: extents
// grow with the sizes at least in proportion, so the scale that fits falls as the factor grows.
double greatestShrink(const Room& room, double scale) {
    double fits = 0.0;
    double fails = 1.0;
    for (int step = 0; step < 48; ++step) {
        const double middle = (fits + fails) / 2.0;
        (greatestScale(room, middle) >= scale ? fits : fails) = middle;
    }
    return fits;
}

// A size scaled toward zero, keeping its sign and never reaching 0 from a non-zero size.
settings::Value shrink(settings::Value size, double factor) {
    double scaled = std::trunc(size * factor);
    if (scaled == 0.0 && size != 0) {
        return size > 0 ? 1 : -1;
    }
    return static_cast<settings::Value>(scaled);
}

std::int32_t dpiAt(double scale) {
    const double dpi = std::floor(scale * figures::baseDpi);
    return static_cast<std::int32_t>(std::clamp<double>(dpi, figures::leastDpi, figures::mostDpi));
}

} // namespace

void fitRowInto(std::int32_t width, std::int32_t height) {
    const double own = figures::dpi / static_cast<double>(figures::baseDpi);
    const double ownMargin = edgeMargin + (figures::dpi == figures::baseDpi ? 0.0 : scalingMargin);
    if (greatestScale({width / 2.0 - ownMargin, height / 2.0 - ownMargin}, 1.0) >= own) {
        return;
    }
    // The whole row drawn at a smaller scale keeps every figure's shape; only a scale below the
    // least DPI makes the sizes themselves smaller, to the largest that fit at the window's own
    // DPI (so the row is the same at every display scale), and the scale then takes up what
    // their rounding down left.
    const Room room{width / 2.0 - edgeMargin - scalingMargin,
                    height / 2.0 - edgeMargin - scalingMargin};
    const bool noRoom = room.across <= 0.0 || room.up <= 0.0;
    double scale = noRoom ? 0.0 : greatestScale(room, 1.0);
    if (scale >= leastScale) {
        figures::dpi = dpiAt(scale);
        return;
    }
    const double factor = noRoom ? 0.0 : greatestShrink(room, own);
    settings::SIZE = shrink(settings::SIZE, factor);
    settings::SIZEY = shrink(settings::SIZEY, factor);
    figures::dpi = dpiAt(noRoom ? 0.0 : greatestScale(room, 1.0));
}

} // namespace saver
