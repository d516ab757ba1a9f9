#include "figures/motion.h"

#include "figures/bounds.h"
#include "figures/builder.h"
#include "figures/numbers.h"
#include "figures/scale.h"

#include <cmath>

namespace figures {

namespace {

// Degrees to radians with the program's own constant, not pi to full precision.
double radians(std::int64_t degrees) {
    return static_cast<double>(degrees) * 3.141593 / 180;
}

struct Turn {
    double cos, sin;
};

Turn turnOf(double angle) {
    return {std::cos(angle), std::sin(angle)};
}

// Tilt from where the row stands in the drawing area: none in the middle, VIEW * 10 degrees at
// the top or bottom edge. A drawing area of height 0 (a minimised window) has no tilt.
bool viewTilt(Turn& tilt) {
    if (settings::VIEW == 0 || clientHeight == 0) {
        return false;
    }
    double t = static_cast<double>(std::int64_t{rowY} - clientHeight / 2) *
               (settings::VIEW * 10.0) / (clientHeight * 0.5) * 3.141593 / 180;
    tilt = turnOf(t);
    return true;
}

void projectSlot(int slot, Turn overall, bool tilted, Turn tilt, double depth) {
    int points = pointsOf(slot);
    double cx = slotCentreX[slot];
    bool turnsAlone = settings::ZKAITEN[slot] != 0;
    Turn own = turnsAlone ? turnOf(radians(slotAngle[slot])) : Turn{1.0, 0.0};
    bool aboutOwnAxis = settings::KAITEN != 0;

    for (int v = 1; v <= 2 * points; ++v) {
        int k = v <= points ? v : v - points;
        double x = outlineX[slot][k];
        double y = outlineY[slot][k];
        double z = v <= points ? -depth : depth;
        if (turnsAlone) {
            double d = x - cx;
            x = own.cos * d - own.sin * y + cx;
            y = own.cos * y + own.sin * d;
        }
        if (aboutOwnAxis) {
            x = x - cx;
        }
        double X = overall.cos * x - overall.sin * z;
        double Z = overall.sin * x + overall.cos * z;
        double Y = y;
        if (tilted) {
            double tiltedY = tilt.cos * Y + tilt.sin * Z;
            Z = tilt.cos * Z - tilt.sin * Y;
            Y = tiltedY;
        }
        // A point at or behind the eye has no perspective picture; it keeps its unscaled place
        // so that every coordinate stays finite.
        double q = perspectiveFactor * Z + 1.0;
        if (q > 0.0 && std::isfinite(q)) {
            X = X / q;
            Y = Y / q;
            Z = Z / q;
        }
        if (aboutOwnAxis) {
            X = X + cx;
        }
        screenX[slot][v] = numbers::truncateToInt(X);
        screenY[slot][v] = numbers::truncateToInt(Y);
        projX[slot][v] = X;
        projY[slot][v] = Y;
        projZ[slot][v] = Z;
    }
}

// One step of an angle with a single subtraction of a full turn. A sum beyond the 32-bit range
// (only from steps far outside the dialog's) is reduced by whole turns instead.
std::int32_t advanceAngle(std::int32_t angle, std::int32_t step) {
    std::int64_t sum = std::int64_t{angle} + step;
    if (sum >= 360) {
        sum -= 360;
    }
    if (sum > INT32_MAX || sum < INT32_MIN) {
        sum %= 360;
    }
    return static_cast<std::int32_t>(sum);
}

// Bounces clamp the row to the edge of its range and send it back with a fresh random step; the
// checks run in this order, each on the value the one before left.
void moveAxis(std::int64_t& pos, std::int32_t low, std::int32_t high, std::int32_t& speed) {
    if (pos >= high) {
        pickDirection();
        pos = high;
        speed = -randomSpeed;
    }
    if (pos <= low) {
        pickDirection();
        pos = low;
        speed = randomSpeed;
    }
}

} // namespace

void projectFigures() {
    int slots = slotsInUse();
    if (slots < 1) {
        return;
    }
    Turn overall = turnOf(radians(overallAngle));
    Turn tilt{1.0, 0.0};
    bool tilted = viewTilt(tilt);
    double depth = static_cast<double>(scaled(std::int64_t{settings::HABA} * settings::SIZE));
    for (int s = 1; s <= slots; ++s) {
        if (pointCount[s] >= 1) {
            projectSlot(s, overall, tilted, tilt, depth);
        }
    }
}

void advanceMotion() {
    overallAngle = advanceAngle(overallAngle, settings::STEPRAG);
    for (int s = 1; s <= maxSlots; ++s) {
        slotAngle[s] = advanceAngle(slotAngle[s], settings::STEPRAGS[s]);
    }
    if (settings::motionMode() != settings::MotionMode::travelling) {
        return;
    }
    // The row stops along an axis while its drawing box fills half the drawing area there.
    std::int64_t nx = rowX;
    std::int64_t ny = rowY;
    if (boxMaxX < clientWidth / 2) {
        nx += speedX;
    }
    if (boxMaxY < clientHeight / 2) {
        ny += speedY;
    }
    moveAxis(nx, rowMinX, rowMaxX, speedX);
    moveAxis(ny, rowMinY, rowMaxY, speedY);
    stepX = saturate(nx - rowX);
    rowX = saturate(nx);
    stepY = saturate(ny - rowY);
    rowY = saturate(ny);
}

} // namespace figures
