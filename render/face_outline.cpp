#include "render/face.h"

#include "figures/motion.h"
#include "render/walls.h"

#include <algorithm>

namespace render {

bool outlineFace(int slot) {
    faceOutline.contours = 0;
    faceOutline.seamed = false;
    if (slot < 1 || slot > figures::maxSlots) {
        return false;
    }
    if (frontVisible[slot] == 0 && backVisible[slot] == 0) {
        return false;
    }
    int n = std::clamp<int>(figures::pointCount[slot], 0, figures::maxPoints);
    int base = frontVisible[slot] == 1 ? 0 : n;
    faceOutline.colour = base == 0 ? figures::faceColour[slot] : figures::shadeColour[slot];
    int contours = std::clamp<int>(figures::contourCount(slot), 0, figures::maxContours);
    int total = 0;
    for (int c = 1; c <= contours; ++c) {
        int first = figures::contourStart[slot][c];
        int last = figures::contourEnd[slot][c];
        // A contour outside the figure's points, or one that would overflow the list, is left
        // out rather than read past the tables.
        if (first < 1 || last > n || first > last || total + last - first + 2 > maxFacePoints) {
            continue;
        }
        faceOutline.counts[faceOutline.contours++] = last - first + 2;
        int opening = total;
        for (int v = first; v <= last; ++v) {
            faceOutline.seamFrom[total] = figures::seamEdge[slot][v] != 0;
            faceOutline.seamed = faceOutline.seamed || faceOutline.seamFrom[total];
            faceOutline.points[total++] = {figures::screenX[slot][v + base],
                                           figures::screenY[slot][v + base]};
        }
        faceOutline.seamFrom[total] = false;
        faceOutline.points[total++] = faceOutline.points[opening];
    }
    return faceOutline.contours > 0;
}

} // namespace render
