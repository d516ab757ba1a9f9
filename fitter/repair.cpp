#include "fitter/repair.h"

#include "fitter/contour_limits.h"
#include "fitter/geometry.h"

#include <cstdlib>

namespace fitter {

namespace {

// Moves points by a unit or two, one at a time, while that lowers the number of contacts.
void repairContacts(Shape& shape, int maxMoves) {
    int contacts = contactCount(shape);
    for (int move = 0; move < maxMoves && contacts > 0; ++move) {
        int bestPoint = 0, bestContacts = contacts;
        IntPoint bestOffset{0, 0};
        for (int k = 1; k <= shape.points; ++k) {
            for (int dx = -2; dx <= 2; ++dx) {
                for (int dy = -2; dy <= 2; ++dy) {
                    shape.x[k] += dx;
                    shape.y[k] += dy;
                    const int found = contactCount(shape);
                    shape.x[k] -= dx;
                    shape.y[k] -= dy;
                    if (found < bestContacts) {
                        bestContacts = found;
                        bestPoint = k;
                        bestOffset = {dx, dy};
                    }
                }
            }
        }
        if (bestPoint == 0) {
            return;
        }
        shape.x[bestPoint] += static_cast<std::int32_t>(bestOffset.x);
        shape.y[bestPoint] += static_cast<std::int32_t>(bestOffset.y);
        contacts = bestContacts;
    }
}

// The smallest contour whose removal changes the shape's fault; 0 when none does.
int faultyContour(const Shape& shape, Shape& trial) {
    ContourFlags keep;
    int worst = 0;
    for (int c = 1; c <= shape.contours; ++c) {
        keep.fill(true);
        keep[c] = false;
        trial = shape;
        keepContours(trial, keep);
        markOuterByNesting(trial);
        bool helps = trial.contours == 0 ||
                     shapeFault(trial, workingLimits) != shapeFault(shape, workingLimits);
        if (helps &&
            (worst == 0 || std::llabs(twiceArea(shape, c)) < std::llabs(twiceArea(shape, worst)))) {
            worst = c;
        }
    }
    return worst;
}

} // namespace

void dropFaultyContours(Shape& shape, Shape& trial, int& dropped, int& droppedHoles, int repairs) {
    repairContacts(shape, repairs);
    for (;;) {
        markOuterByNesting(shape);
        if (shape.contours == 0 || shapeFault(shape, workingLimits) == Fault::none) {
            return;
        }
        const int worst = faultyContour(shape, trial);
        dropContour(shape, worst == 0 ? 1 : worst, dropped, droppedHoles);
    }
}

} // namespace fitter
