#include "saver/saver.h"

#include "figures/bounds.h"
#include "figures/figures.h"
#include "figures/scale.h"
#include "settings/settings.h"

#include <algorithm>
#include <cmath>

namespace saver {

namespace {

// Pixels kept free at the edges for the truncations of the build and the projection, and one
// more for the rounding of every place when the row is scaled to the display.
constexpr double edgeMargin = 2.0;
constexpr double scalingMargin = 1.0;

// How far from the row centre any vertex can get, turned, tilted and before perspective: the
// slot centre's distance plus the vertex's distance from that centre in three dimensions. The
// builder lays point (x, y) of slot s at (SIZEY * x / 10 + centre, SIZE * y / 10), its depth is
// HABA * SIZE each way (HABA is 3 while the builder sets the depth itself), and every turn keeps
// the distance from the slot centre or from the row centre.
double rowReach() {
    const int slots = figures::slotsInUse();
    const double sizeX = settings::SIZEY;
    const double sizeY = settings::SIZE;
    const double depth = (settings::HABAJIDO != 0 ? 3.0 : settings::HABA) * sizeY;
    double reach = 0.0;
    for (int s = 1; s <= slots; ++s) {
        double centre = (10.0 * (s - 1) - 5.0 * (slots - 1)) * sizeX;
        for (int k = 1; k <= figures::pointsOf(s); ++k) {
            double x = sizeX * figures::outlineX[s][k] / 10.0;
            double y = sizeY * figures::outlineY[s][k] / 10.0;
            reach = std::max(reach, std::abs(centre) + std::sqrt(x * x + y * y + depth * depth));
        }
    }
    return reach;
}

// A size scaled toward zero, keeping its sign and never reaching 0 from a non-zero size.
settings::Value shrink(settings::Value size, double factor) {
    double scaled = std::trunc(size * factor);
    if (scaled == 0.0 && size != 0) {
        return size > 0 ? 1 : -1;
    }
    return static_cast<settings::Value>(scaled);
}

} // namespace

void fitRowInto(std::int32_t width, std::int32_t height) {
    const double reach = rowReach();
    // The reach is in 96-DPI pixels; the room is measured in the same.
    const double margin = edgeMargin + (figures::dpi == figures::baseDpi ? 0.0 : scalingMargin);
    const double room = (std::min(width, height) / 2.0 - margin) /
                        (figures::dpi / static_cast<double>(figures::baseDpi));
    // Perspective divides by 1 + ENKIN / 10000 * z, and |z| never exceeds the reach: a reach
    // of r lands within r / (1 - |ENKIN| / 10000 * r), which stays within room exactly when
    // r <= room / (1 + |ENKIN| / 10000 * room).
    const double nearness = std::abs(static_cast<double>(settings::ENKIN)) / 10000.0;
    const double allowed = room > 0.0 ? room / (1.0 + nearness * room) : 0.0;
    if (reach <= allowed) {
        return;
    }
    const double factor = allowed / reach;
    settings::SIZE = shrink(settings::SIZE, factor);
    settings::SIZEY = shrink(settings::SIZEY, factor);
}

} // namespace saver
