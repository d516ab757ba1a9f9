#include "figure_setup.h"

#include <gtest/gtest.h>

#include <array>

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
    static constexpr int top = 3;   // point (0, 10) on the front face
    static constexpr int back = 4;  // point (10, 0) on the back face
};

// The angle constant 3.141593 leaves the cosine of 90 degrees a hair off zero, and truncation
// goes toward zero.
TEST_F(Projection, QuarterTurnTruncatesTowardZero) {
    overallAngle = 90;
    projectFigures();
    EXPECT_TRUE(projX[1][front] > 29.999998 && projX[1][front] < 29.999999) << projX[1][front];
    EXPECT_TRUE(projX[1][back] < -30.0000017 && projX[1][back] > -30.0000018) << projX[1][back];
    EXPECT_EQ((std::array{screenX[1][front], screenX[1][back]}), (std::array{29, -30}));
}

TEST_F(Projection, OwnAxisModeMirrorsEachFigureAboutItsCell) {
    settings::OPTIONN = 2;
    setOutline(1, {{{20, 0}, {0, -10}, {0, 10}}}); // row x -30 and -50, cell centre -50
    buildFigures();
    overallAngle = 180;
    settings::KAITEN = 1;
    projectFigures();
    EXPECT_NEAR(projX[1][1], -70.0, 0.01);
    EXPECT_NEAR(projX[1][2], -50.0, 0.01);
    settings::KAITEN = 0;
    projectFigures();
    EXPECT_NEAR(projX[1][1], 30.0, 0.01);
    EXPECT_NEAR(projX[1][2], 50.0, 0.01);
}

TEST_F(Projection, TiltFollowsTheRowsHeightInTheDrawingArea) {
    settings::VIEW = 9;
    rowY = clientHeight / 2;
    projectFigures();
    EXPECT_EQ(projY[1][top], 10.0);

    rowY = clientHeight; // bottom edge: seen from 90 degrees above
    projectFigures();
    EXPECT_NEAR(projY[1][top], -30.0, 1e-4);
    EXPECT_NEAR(projZ[1][top], -10.0, 1e-4);

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

    // Factor -100: the back face's divisor 1 - 100 * 30 is negative, and it keeps its place.
    settings::ENKIN = -1000000;
    buildFigures();
    projectFigures();
    EXPECT_EQ((std::array{projX[1][back], projZ[1][back]}), (std::array{10.0, 30.0}));
    EXPECT_DOUBLE_EQ(projX[1][front], 10.0 / 3001.0);
}

class Motion : public ::testing::Test {
  protected:
    void SetUp() override {
        resetFigureModel();
        settings::OPTIONP = 2;
        rowMinX = 100;
        rowMaxX = 540;
        rowMinY = 100;
        rowMaxY = 380;
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
    settings::STEPRAGS[26] = 200;
    advanceMotion();
    EXPECT_EQ((std::array{slotAngle[1], slotAngle[26]}), (std::array{27, 218}));

    // An angle gathered while the slot did not turn shows at once when it starts turning.
    settings::OPTIONN = 1;
    setOutline(1, {{{10, 0}, {0, -10}, {0, 10}}});
    buildFigures();
    settings::STEPRAG = 0;
    settings::STEPRAGS[1] = 63; // 27 + 63 = 90 degrees
    advanceMotion();
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
    // The first two draws from state 1 are directions 4 and 2.
    EXPECT_EQ((std::array{rowX, stepX, speedX}), (std::array{540, 10, -14}));
    EXPECT_EQ((std::array{rowY, stepY, speedY}), (std::array{100, -5, 12}));

    // The row stands still along an axis while its box fills half the drawing area there.
    boxMaxY = clientHeight / 2;
    advanceMotion();
    EXPECT_EQ((std::array{rowX, rowY}), (std::array{526, 100}));

    // A row wider than the drawing area: both checks fire and it ends moving right.
    rowMinX = rowMaxX = rowX = 75;
    advanceMotion();
    EXPECT_EQ((std::array{rowX, stepX}), (std::array{75, 0}));
    EXPECT_GT(speedX, 0);
}

} // namespace
