#include "figures/builder.h"

#include "figures/bounds.h"
#include "figures/colours.h"
#include "figures/contours.h"
#include "figures/scale.h"

#include <cstdlib>

namespace figures {

namespace {

// Later stages and the renderer read the counts straight from the tables, so they are held to
// the tables' sizes here, once.
void holdCounts(int slot) {
    pointCount[slot] = pointsOf(slot);
    figureHeader[slot][contourCountField] = contoursOf(slot);
}

Area rowArea() {
    if (travelArea.right > travelArea.left && travelArea.bottom > travelArea.top) {
        return travelArea;
    }
    return {0, 0, clientWidth, clientHeight};
}

std::int32_t middleOf(std::int32_t low, std::int32_t high) {
    return saturate(low + (std::int64_t{high} - low) / 2);
}

// The row centre keeps margin pixels from both edges of low..high, or sits in its middle when
// the margins would cross.
void setRange(std::int64_t margin, std::int32_t lowEdge, std::int32_t highEdge, std::int32_t& low,
              std::int32_t& high) {
    if (margin > (std::int64_t{highEdge} - lowEdge) / 2) {
        low = high = middleOf(lowEdge, highEdge);
    } else {
        low = saturate(lowEdge + margin);
        high = saturate(highEdge - margin);
    }
}

void startMotion(int slots) {
    const Area area = rowArea();
    rowX = middleOf(area.left, area.right);
    rowY = middleOf(area.top, area.bottom);
    if (settings::motionMode() != settings::MotionMode::travelling) {
        speedX = speedY = stepX = stepY = 0;
        return;
    }
    setRange(scaled(std::int64_t{10 * slots / 2} * settings::SIZEY), area.left, area.right, rowMinX,
             rowMaxX);
    setRange(scaled(std::int64_t{10} * settings::SIZE), area.top, area.bottom, rowMinY, rowMaxY);

    // randomSpeed is never INT32_MIN, so its magnitude always fits.
    pickDirection();
    speedX = std::abs(randomSpeed);
    pickDirection();
    speedY = std::abs(randomSpeed);
    pickDirection();
    // Window y grows downward: 1 is up-left, 2 up-right, 3 down-right, 4 down-left.
    if (randomDirection == 1 || randomDirection == 4) {
        speedX = -speedX;
    }
    if (randomDirection == 1 || randomDirection == 2) {
        speedY = -speedY;
    }
    stepX = speedX;
    stepY = speedY;
}

// Outline units to pixels in the slot's cell: cells 10 * SIZEY apart and centred on the row
// centre; every place is worked out at 96 DPI and then scaled to the display.
void layoutSlot(int slot, int slots) {
    const std::int64_t centre =
        std::int64_t{5} * (2 * std::int64_t{slot} - 1 - slots) * settings::SIZEY;
    for (int k = 1; k <= pointsOf(slot); ++k) {
        outlineX[slot][k] =
            holdCoordinate(scaled(std::int64_t{settings::SIZEY} * outlineX[slot][k] / 10 + centre));
        outlineY[slot][k] =
            holdCoordinate(scaled(std::int64_t{settings::SIZE} * outlineY[slot][k] / 10));
    }
    slotCentreX[slot] = holdCoordinate(scaled(centre));
}

// Which way the outline turns at its second point; points past a short outline are read as
// they stand, held like scaled coordinates.
void setFaceTurn(int slot) {
    auto x = [slot](int k) -> std::int64_t { return holdCoordinate(outlineX[slot][k]); };
    auto y = [slot](int k) -> std::int64_t { return holdCoordinate(outlineY[slot][k]); };
    std::int64_t turn = (x(2) - x(1)) * (y(3) - y(2)) - (y(2) - y(1)) * (x(3) - x(2));
    faceTurn[slot] = turn >= 0 ? 1 : 0;
}

bool isOuterContour(int slot, int contour) {
    for (int i = 1; i <= maxOuterContours; ++i) {
        if (figureHeader[slot][i] == contourStart[slot][contour]) {
            return true;
        }
    }
    return false;
}

// A hole's walls are listed the other way round, so that with the normalised winding corners
// 1, 2, 3 of every wall turn positively exactly when its outer side faces the viewer.
void setSideWalls(int slot, const Successors& next) {
    int points = pointsOf(slot);
    for (int k = 1; k <= points; ++k) {
        sideQuad[slot][k].holeWall = 0;
    }
    for (int c = 1; c <= contoursOf(slot); ++c) {
        if (validContour(slot, c, points)) {
            std::int32_t hole = isOuterContour(slot, c) ? 0 : 1;
            for (int k = contourStart[slot][c]; k <= contourEnd[slot][c]; ++k) {
                sideQuad[slot][k].holeWall = hole;
            }
        }
    }
    for (int k = 1; k <= points; ++k) {
        SideQuad& wall = sideQuad[slot][k];
        int back = points + k;
        int backNext = points + next[k];
        wall.corner1 = back;
        wall.corner2 = wall.holeWall == 0 ? k : backNext;
        wall.corner3 = next[k];
        wall.corner4 = wall.holeWall == 0 ? backNext : k;
    }
}

// The steps on the outline as read, in outline units.
void prepareSlot(int slot) {
    holdCounts(slot);
    normaliseContours(slot);
    Successors next;
    findSuccessors(slot, next);
    markSeamEdges(slot, next);
}

// The steps on the laid-out outline.
void finishSlot(int slot) {
    if (pointCount[slot] < 1) {
        return;
    }
    Successors next;
    findSuccessors(slot, next);
    setFaceTurn(slot);
    setSideWalls(slot, next);
    markHullEdges(slot, next);
}

} // namespace

void buildFigures() {
    int slots = slotsInUse();
    for (int s = 1; s <= slots; ++s) {
        prepareSlot(s);
    }

    if (settings::HABAJIDO != 0) {
        settings::HABA = 3;
    }
    overallAngle = 0;
    boxMinX = boxMinY = boxMaxX = boxMaxY = 0;
    // Depths grow with the display's scale; the perspective divides by as much, so the picture
    // only grows (at 96 DPI the divisor is exactly 1).
    perspectiveFactor = settings::ENKIN / 10000.0 / (dpi / static_cast<double>(baseDpi));

    startMotion(slots);
    for (int s = 1; s <= slots; ++s) {
        layoutSlot(s, slots);
        finishSlot(s);
    }
    setSlotColours(slots);
}

void swapSlotFigure(int slot) {
    const int slots = slotsInUse();
    if (slot < 1 || slot > slots) {
        return;
    }
    loadSlotFigure(slot);
    prepareSlot(slot);
    layoutSlot(slot, slots);
    finishSlot(slot);
    setSlotColour(slot);
}

} // namespace figures
