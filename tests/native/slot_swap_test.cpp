// Swapping one slot's figure while the row moves: the slot's tables come out as a whole build
// makes them, and the motion, the angles and the other slots stay as they were.
#include "figures/builder.h"
#include "figures/figures.h"
#include "figures/motion.h"
#include "figures/scale.h"
#include "settings/settings.h"
#include "tests/native/figure_setup.h"
#include "tests/support/profile_memory.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace {

using namespace figures;

std::string figureLine(int key, const std::string& name, int points, const std::string& header,
                       const std::string& ranges, const std::string& xy) {
    return "ZAHYO" + std::to_string(key) + "=" + name + "," + std::to_string(points) + "," +
           header + "," + ranges + "," + xy + "\r\n";
}

std::string ranges(const std::string& used, int count) {
    std::string text = used;
    for (int c = count; c < maxContours; ++c) {
        text += ",0,0";
    }
    return text;
}

// Figures 1..3: a square, a triangle, a square with a square hole, in outline units.
const std::string outlines =
    "[MOJI ZAHYO]\r\n" +
    figureLine(1, "sq", 4, "0,1,0,0,0,1", ranges("1,4", 1), "-40,-40,40,-40,40,40,-40,40") +
    figureLine(2, "tri", 3, "0,1,0,0,0,1", ranges("1,3", 1), "-30,-40,45,-40,0,35") +
    figureLine(3, "ring", 8, "0,1,0,0,0,2", ranges("1,4,5,8", 2),
               "-40,-40,40,-40,40,40,-40,40,-20,-20,20,-20,20,20,-20,20");

// Everything the builder derives for one slot.
auto slotTables(int s) {
    return std::make_tuple(pointCount[s], figureHeader[s], contourStart[s], contourEnd[s],
                           outlineX[s], outlineY[s], slotCentreX[s], faceTurn[s], hullEdge[s],
                           seamEdge[s], faceColour[s].red, faceColour[s].green, faceColour[s].blue);
}

auto sideWalls(int s) {
    std::array<std::tuple<int, int, int, int, int>, maxPoints + 1> walls{};
    for (int k = 0; k <= maxPoints; ++k) {
        const SideQuad& q = sideQuad[s][k];
        walls[k] = {q.holeWall, q.corner1, q.corner2, q.corner3, q.corner4};
    }
    return walls;
}

auto motionState() {
    return std::make_tuple(rowX, rowY, rowMinX, rowMaxX, rowMinY, rowMaxY, stepX, stepY, speedX,
                           speedY, overallAngle, randomState, boxMinX, boxMaxX, slotAngle,
                           perspectiveFactor, settings::HABA);
}

class ClockRow : public ::testing::Test {
  protected:
    void SetUp() override {
        figure_setup::resetFigureModel();
        profile::memory::reset();
        settings::loadSettingNames();
        profile::memory::setFile("kestasv.ini", outlines);
        settings::OPTIONP = 2;
        settings::SIZE = 7;
        settings::SIZEY = 9;
        settings::COLORS = 1;
        for (int s = 1; s <= maxSlots; ++s) {
            settings::OPTIONC[s] = 1 + s % 8;
        }
        clockRow = {true, 5, {0, 1, 2, 0, 3, 1}};
    }
    void TearDown() override { clockRow = {}; }
};

class SlotSwap : public ClockRow, public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(SlotSwap, OneSlotTakesItsNewFigureAndNothingElseMoves) {
    const auto [dpiUsed, newFigure] = GetParam();
    dpi = dpiUsed;
    loadFigures();
    buildFigures();
    for (int frame = 0; frame < 7; ++frame) {
        projectFigures();
        advanceMotion();
    }
    const auto motion = motionState();
    const auto slot1 = slotTables(1), slot5 = slotTables(5);
    const auto walls4 = sideWalls(4);

    // Slot 3 (blank) takes a figure, then slot 2 another or none.
    clockRow.figure[3] = newFigure;
    swapSlotFigure(3);
    clockRow.figure[2] = 3 - newFigure % 3;
    swapSlotFigure(2);
    swapSlotFigure(0); // out of the row: nothing
    swapSlotFigure(6);
    EXPECT_EQ(motionState(), motion);
    EXPECT_EQ(slotTables(1), slot1);
    EXPECT_EQ(slotTables(5), slot5);
    EXPECT_EQ(sideWalls(4), walls4);

    // A whole build of the same row gives the swapped slots the same tables.
    const auto swapped2 = slotTables(2), swapped3 = slotTables(3);
    const auto walls2 = sideWalls(2), walls3 = sideWalls(3);
    loadFigures();
    buildFigures();
    EXPECT_EQ(slotTables(2), swapped2);
    EXPECT_EQ(slotTables(3), swapped3);
    EXPECT_EQ(sideWalls(2), walls2);
    EXPECT_EQ(sideWalls(3), walls3);
    EXPECT_EQ(slotTables(1), slot1);
}

INSTANTIATE_TEST_SUITE_P(DisplayScalesAndFigures, SlotSwap,
                         ::testing::Combine(::testing::Values(96, 144, 192),
                                            ::testing::Values(0, 1, 2, 3)));

TEST_F(ClockRow, KeptFiguresAreLoadedWithoutTheFileUntilNoneAreKept) {
    const std::int32_t kept[] = {2, 3, 7};
    keepFigures(kept, 3);
    // The file loses its triangle and its ring; the kept ones still load, the square does not.
    profile::memory::setFile("kestasv.ini", "[MOJI ZAHYO]\r\n");
    loadFigures();
    EXPECT_EQ(pointCount[1], 0);
    EXPECT_EQ(pointCount[2], 3);
    EXPECT_EQ(pointCount[4], 8);
    EXPECT_EQ(pointCount[5], 0);
    EXPECT_EQ(outlineX[2][2], 45);
    keepFigures(nullptr, 0);
    loadFigures();
    EXPECT_EQ(pointCount[2], 0);
    EXPECT_EQ(pointCount[4], 0);
}

TEST_F(ClockRow, TheClockRowStandsInForTheStoredWordOnlyWhileOn) {
    settings::OPTIONN = 2;
    settings::OPTIONA[1] = 3;
    settings::OPTIONA[2] = 3;
    loadFigures();
    EXPECT_EQ(pointCount[2], 3); // the clock's triangle
    clockRow.on = false;
    loadFigures();
    buildFigures();
    EXPECT_EQ(pointCount[1], 8);
    EXPECT_EQ(pointCount[2], 8);
    EXPECT_EQ(slotCentreX[2], 45);
    // The word's OPTIONN and OPTIONA are never touched by the clock.
    clockRow.on = true;
    loadFigures();
    buildFigures();
    EXPECT_EQ(settings::OPTIONN, 2);
    EXPECT_EQ(settings::OPTIONA[1], 3);
    EXPECT_EQ(slotCentreX[5], 2 * 9 * 10);
}

} // namespace
