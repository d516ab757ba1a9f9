// Shared set-up of the figure model tests: settings at their dialog defaults, a 640 x 480 drawing
// area, and outlines written straight into the tables as the outline reader would leave them.
#pragma once

#include "figures/builder.h"
#include "figures/motion.h"
#include "figures/scale.h"
#include "settings/settings.h"

#include <initializer_list>
#include <ostream>
#include <vector>

namespace figure_setup {

struct Point {
    int x, y;
};
using Contour = std::vector<Point>;

inline void resetFigureModel() {
    using namespace settings;
    OPTIONN = 1;
    OPTIONP = 1;
    STEPRAG = 9;
    HABA = 0;
    HABAJIDO = 1;
    SIZE = 10;
    SIZEY = 10;
    SIZEIDO = 10;
    COLOR = 3;
    COLORS = 0;
    VIEW = 0;
    ENKIN = 0;
    KAITEN = 0;
    for (int s = 1; s <= slotCount; ++s) {
        OPTIONC[s] = 3;
        ZKAITEN[s] = 0;
        STEPRAGS[s] = 9;
    }
    figures::clientWidth = 640;
    figures::clientHeight = 480;
    figures::travelArea = {};
    figures::dpi = figures::baseDpi;
    figures::pointCount = {};
    figures::figureHeader = {};
    figures::contourStart = {};
    figures::contourEnd = {};
    figures::outlineX = {};
    figures::outlineY = {};
    figures::slotAngle = {};
    figures::seedRandom(1);
}

// Contours in the given order; the first index of each contour in `outer` goes in the header.
inline void setOutline(int slot, std::initializer_list<Contour> contours,
                       std::initializer_list<int> outer = {1}) {
    int k = 0;
    int c = 0;
    for (const Contour& contour : contours) {
        ++c;
        figures::contourStart[slot][c] = k + 1;
        for (Point p : contour) {
            ++k;
            figures::outlineX[slot][k] = p.x;
            figures::outlineY[slot][k] = p.y;
        }
        figures::contourEnd[slot][c] = k;
    }
    figures::pointCount[slot] = k;
    figures::figureHeader[slot][figures::contourCountField] = c;
    int h = 0;
    for (int contour : outer) {
        figures::figureHeader[slot][++h] = figures::contourStart[slot][contour];
    }
}

inline Contour outlineOf(int slot) {
    Contour points;
    for (int k = 1; k <= figures::pointCount[slot]; ++k) {
        points.push_back({figures::outlineX[slot][k], figures::outlineY[slot][k]});
    }
    return points;
}

inline bool operator==(Point a, Point b) {
    return a.x == b.x && a.y == b.y;
}
inline std::ostream& operator<<(std::ostream& out, Point p) {
    return out << '(' << p.x << ',' << p.y << ')';
}

} // namespace figure_setup
