#include "figure_setup.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace figures;
using namespace figure_setup;

namespace {

// One slot holding a triangle whose first point is (10, 0) after the build; depth 30 pixels.
class Projection : public ::testing::Test {
  protected:
    void SetUp() override {
        resetFigureModel();
        setOutline(1, {{{10, 0}, {0, -10}, {0, 10}}});
        buildFigures();
    }
    static constexpr int front = 1; // point (10, 0) on the front face
    static constexpr int back = 4;  // the same point on the back face
};

TEST_F(Projection, FlatViewKeepsTheOutline) {
    projectFigures();
    for (int v : {front, back}) {
        EXPECT_EQ(projX[1][v], 10.0);
        EXPECT_EQ(projY[1][v], 0.0);
        EXPECT_EQ(screenX[1][v], 10);
    }
    EXPECT_EQ(projZ[1][front], -30.0);
    EXPECT_EQ(projZ[1][back], 30.0);
    EXPECT_EQ(screenY[1][6], 10);
}

// The angle constant 3.141593 leaves the cosine of 90 degrees a hair off zero, and truncation
// goes toward zero.
TEST_F(Projection, QuarterTurnTruncatesTowardZero) {
    overallAngle = 90;
    projectFigures();
    EXPECT_GT(projX[1][front], 29.999998);
    EXPECT_LT(projX[1][front], 29.999999);
    EXPECT_EQ(screenX[1][front], 29);
    EXPECT_LT(projX[1][back], -30.0000017);
    EXPECT_GT(projX[1][back], -30.0000018);
    EXPECT_EQ(screenX[1][back], -30);
}

TEST_F(Projection, OwnAxisModeMirrorsEachFigureAboutItsCell) {
    settings::OPTIONN = 2;
    settings::HABAJIDO = 0;
    setOutline(1, {{{20, 0}, {0, -10}, {0, 10}}}); // x -30 and -50 in the row, cell centre -50
    setOutline(2, {{{20, 0}, {0, -10}, {0, 10}}});
    buildFigures();
    overallAngle = 180;

    settings::KAITEN = 1;
    projectFigures();
    EXPECT_NEAR(projX[1][1], -70.0, 1e-3);
    EXPECT_NEAR(projX[1][2], -50.0, 1e-3);

    settings::KAITEN = 0;
    projectFigures();
    EXPECT_NEAR(projX[1][1], 30.0, 1e-3);
    EXPECT_NEAR(projX[1][2], 50.0, 1e-3);
}

TEST_F(Projection, TiltFollowsTheRowsHeightInTheDrawingArea) {
    settings::VIEW = 9;
    const int top = 3; // point (0, 10) on the front face
    rowY = clientHeight / 2;
    projectFigures();
    EXPECT_EQ(projY[1][top], 10.0);
    EXPECT_EQ(projZ[1][top], -30.0);

    rowY = clientHeight; // bottom edge: seen from 90 degrees above
    projectFigures();
    EXPECT_NEAR(projY[1][top], -30.0, 1e-4);
    EXPECT_NEAR(projZ[1][top], -10.0, 1e-4);

    rowY = clientHeight * 3 / 4; // below the middle the back face rises above the front
    projectFigures();
    EXPECT_GT(projY[1][back], projY[1][front]);

    clientHeight = 0; // a minimised window: no tilt, nothing divided by zero
    projectFigures();
    EXPECT_EQ(projY[1][top], 10.0);
}

TEST_F(Projection, PerspectiveAndDivisorsAtOrBehindTheEye) {
    settings::ENKIN = 50;
    buildFigures();
    projectFigures();
    EXPECT_DOUBLE_EQ(projX[1][front], 10.0 / 0.85);
    EXPECT_DOUBLE_EQ(projX[1][back], 10.0 / 1.15);
    EXPECT_EQ(screenX[1][front], 11);

    // Divisor 1 - 100 * 30 < 0 for the back face: it keeps its unscaled place.
    settings::ENKIN = -1000000;
    buildFigures();
    projectFigures();
    EXPECT_EQ(projX[1][back], 10.0);
    EXPECT_EQ(projZ[1][back], 30.0);
    EXPECT_DOUBLE_EQ(projX[1][front], 10.0 / 3001.0);

    // Divisor exactly 0: depth 1 with a factor of -1.
    settings::ENKIN = -10000;
    settings::HABAJIDO = 0;
    settings::HABA = 1;
    settings::SIZE = 1;
    buildFigures();
    projectFigures();
    EXPECT_EQ(projX[1][back], 10.0);
    EXPECT_EQ(projZ[1][back], 1.0);
}

class Motion : public ::testing::Test {
  protected:
    void SetUp() override {
        resetFigureModel();
        settings::STEPRAG = 0;
        settings::OPTIONP = 2;
        rowMinX = 100;
        rowMaxX = 540;
        rowMinY = 100;
        rowMaxY = 380;
        rowX = 320;
        rowY = 240;
        speedX = speedY = 0;
        boxMaxX = boxMaxY = 0;
    }
};

TEST_F(Motion, AnglesWrapOnceAndRunForEverySlot) {
    settings::STEPRAG = 15;
    overallAngle = 350;
    advanceMotion();
    EXPECT_EQ(overallAngle, 5);
    overallAngle = 345;
    advanceMotion();
    EXPECT_EQ(overallAngle, 0);

    resetFigureModel();
    settings::STEPRAG = 0;
    settings::STEPRAGS[26] = 200;
    for (int i = 0; i < 3; ++i) {
        advanceMotion();
    }
    EXPECT_EQ(slotAngle[1], 27);
    EXPECT_EQ(slotAngle[26], 240) << "a slot out of use turns on all the same";

    // Steps far outside the dialog's range stay within 32 bits.
    settings::STEPRAG = INT_MAX;
    settings::STEPRAGS[1] = INT_MIN;
    overallAngle = INT_MAX;
    slotAngle[1] = INT_MIN;
    advanceMotion();
    EXPECT_GE(overallAngle, 0);
    EXPECT_LT(overallAngle, 360);
    EXPECT_GT(slotAngle[1], -360);
    EXPECT_LE(slotAngle[1], 0);
}

TEST_F(Motion, AccumulatedSlotAngleShowsWhenIndividualTurnStarts) {
    settings::STEPRAG = 0;
    settings::STEPRAGS[1] = 30;
    setOutline(1, {{{10, 0}, {0, -10}, {0, 10}}});
    buildFigures();
    for (int i = 0; i < 3; ++i) {
        advanceMotion();
    }
    projectFigures();
    EXPECT_EQ(projX[1][1], 10.0) << "no visible effect while switched off";
    settings::ZKAITEN[1] = 1;
    projectFigures();
    EXPECT_NEAR(projX[1][1], 0.0, 1e-4);
    EXPECT_NEAR(projY[1][1], 10.0, 1e-4);
}

TEST_F(Motion, RowBouncesAtTheEdgesOfItsRange) {
    rowX = 530;
    speedX = 12;
    rowY = 105;
    speedY = -10;
    advanceMotion();
    EXPECT_EQ(rowX, 540);
    EXPECT_EQ(stepX, 10);
    EXPECT_EQ(speedX, -14) << "first draw from state 1 is direction 4";
    EXPECT_EQ(rowY, 100);
    EXPECT_EQ(stepY, -5);
    EXPECT_EQ(speedY, 12) << "second draw is direction 2";

    // A row wider than the drawing area: both checks fire and it ends moving right.
    rowMinX = rowMaxX = rowX = 75;
    speedX = -5;
    advanceMotion();
    EXPECT_EQ(rowX, 75);
    EXPECT_EQ(stepX, 0);
    EXPECT_GT(speedX, 0);
}

TEST_F(Motion, RowHoldsStillWhereItsBoxFillsHalfTheArea) {
    speedX = 7;
    speedY = 9;
    boxMaxX = clientWidth / 2;
    advanceMotion();
    EXPECT_EQ(rowX, 320);
    EXPECT_EQ(stepX, 0);
    EXPECT_EQ(rowY, 249);

    settings::OPTIONP = 1;
    boxMaxX = 0;
    advanceMotion();
    EXPECT_EQ(rowX, 320);
    EXPECT_EQ(rowY, 249);
}

TEST_F(Motion, ExtremePositionsAndSpeedsDoNotOverflow) {
    rowMinX = INT_MIN;
    rowMaxX = INT_MAX;
    rowX = INT_MAX - 1;
    speedX = INT_MAX;
    rowY = INT_MIN + 1;
    rowMinY = INT_MIN;
    speedY = INT_MIN;
    clientWidth = INT_MAX;
    clientHeight = INT_MAX;
    advanceMotion();
    EXPECT_EQ(rowX, INT_MAX);
    EXPECT_EQ(rowY, INT_MIN);
    EXPECT_EQ(stepX, 1);
    EXPECT_LT(speedX, 0);
    EXPECT_GT(speedY, 0);
}

} // namespace
