#include "render/face.h"
#include "render/frame_box.h"
#include "render_test_figures.h"
#include "settings/settings.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using namespace rendertest;

// Two slots of one point each (two vertices), at the given row-centre coordinates.
void placePoints(std::initializer_list<std::array<int, 4>> slots) {
    int s = 0;
    for (auto [x1, y1, x2, y2] : slots) {
        ++s;
        clearSlot(s);
        figures::pointCount[s] = 1;
        figures::screenX[s][1] = x1;
        figures::screenY[s][1] = y1;
        figures::screenX[s][2] = x2;
        figures::screenY[s][2] = y2;
    }
    settings::OPTIONN = s;
}

void previousFrame(int minX, int minY, int maxX, int maxY, int stepX, int stepY) {
    figures::boxMinX = minX;
    figures::boxMinY = minY;
    figures::boxMaxX = maxX;
    figures::boxMaxY = maxY;
    figures::stepX = stepX;
    figures::stepY = stepY;
}

TEST(FrameBox, UnitesThePreviousExtentCarriedByTheRowsStep) {
    figures::clientWidth = 640;
    figures::clientHeight = 480;
    placePoints({{-20, -10, 0, 5}, {30, 15, 10, 0}});
    // The row moved 7 right and 4 down: the old picture now lies 7 left and 4 up of it.
    previousFrame(-30, -20, 25, 12, 7, 4);
    render::Extent extent = render::measureExtent();
    render::FrameBox box = render::placeFrameBox(extent);
    EXPECT_EQ(box.width, 68);
    EXPECT_EQ(box.height, 33);
    EXPECT_EQ(box.offsetX, 37);
    EXPECT_EQ(box.offsetY, 16);
    // The motion reads the united box during the frame; the next frame gets the extent alone.
    EXPECT_EQ(figures::boxMaxX, 30);
    EXPECT_EQ(figures::boxMinY, -16);
    render::keepExtent(extent);
    EXPECT_EQ(figures::boxMinX, -20);
    EXPECT_EQ(figures::boxMaxY, 15);

    render::rewriteIntoFrame(box);
    EXPECT_EQ(figures::screenX[1][1], 17);
    EXPECT_EQ(figures::screenY[1][1], 26);
}

TEST(FrameBox, OnlyTheRightAndTopEdgesAreHeldToTheDrawingArea) {
    figures::clientWidth = 101;
    figures::clientHeight = 61;
    placePoints({{-80, -40, 60, 10}});
    previousFrame(0, 0, 0, 0, 0, 0);
    render::FrameBox box = render::placeFrameBox(render::measureExtent());
    EXPECT_EQ(box.left, -50);
    EXPECT_EQ(box.right, 50);
    EXPECT_EQ(box.width, 101);
    EXPECT_EQ(box.bottom, -40) << "reaching past the bottom alone keeps the size";
    EXPECT_EQ(box.top, 10);
    EXPECT_EQ(figures::boxMinX, -50);
    render::rewriteIntoFrame(box);
    EXPECT_EQ(figures::screenX[1][1], 0) << "pinned to the left edge";
    EXPECT_EQ(figures::screenX[1][2], 101) << "pinned to the width itself";
    EXPECT_EQ(figures::screenY[1][1], 50);

    // Points thrown far out by the perspective stop the box a whole drawing area out.
    placePoints({{-5000000, -7000000, 60, 10}});
    previousFrame(0, 0, 0, 0, 0, 0);
    box = render::placeFrameBox(render::measureExtent());
    EXPECT_EQ(box.left, -50);
    EXPECT_EQ(box.bottom, -61);
    EXPECT_EQ(box.height, 72);
    placePoints({{-5000000, -20, 40, 10}});
    previousFrame(0, 0, 0, 0, 0, 0);
    box = render::placeFrameBox(render::measureExtent());
    EXPECT_EQ(box.left, -101);
    EXPECT_EQ(box.width, 142);

    // A picture wholly right of and below the row centre keeps its true position, clipped.
    figures::clientWidth = 1000;
    figures::clientHeight = 1000;
    placePoints({{20, -30, 40, -10}});
    previousFrame(20, -30, 40, -10, 0, 0);
    box = render::placeFrameBox(render::measureExtent());
    EXPECT_EQ(box.offsetX, 20);
    EXPECT_EQ(box.offsetY, 10);
    EXPECT_EQ(box.width, 21);
    render::rewriteIntoFrame(box);
    EXPECT_EQ(figures::screenX[1][1], 21);
    EXPECT_EQ(figures::screenY[1][1], 21);
    EXPECT_EQ(figures::screenY[1][2], 20);
}

TEST(FrameBox, PointsPastWhereTheBoxStopsKeepTheirTruePlace) {
    figures::clientWidth = 640;
    figures::clientHeight = 480;
    // Perspective throws the left end of the row far out while the right end stays inside.
    const std::initializer_list<std::array<int, 4>> points{
        {-1500, 30, -900, -1300}, {200, -20, -700, 100}, {-2000000, -3000000, 150, 90}};
    placePoints(points);
    previousFrame(0, 0, 0, 0, 0, 0);
    render::FrameBox box = render::placeFrameBox(render::measureExtent());
    EXPECT_EQ(box.left, -640);
    EXPECT_EQ(box.bottom, -480);
    render::rewriteIntoFrame(box);
    int s = 0;
    for (auto [x1, y1, x2, y2] : points) {
        ++s;
        EXPECT_EQ(figures::screenX[s][1] - box.offsetX, x1) << s;
        EXPECT_EQ(box.offsetY - figures::screenY[s][1], y1) << s;
        EXPECT_EQ(figures::screenX[s][2] - box.offsetX, x2) << s;
        EXPECT_EQ(box.offsetY - figures::screenY[s][2], y2) << s;
    }

    // Only the side where the box stopped lets points out; the right and top rules still pin.
    placePoints({{-1500, 30, 900, -100}});
    previousFrame(0, 0, 0, 0, 0, 0);
    box = render::placeFrameBox(render::measureExtent());
    render::rewriteIntoFrame(box);
    EXPECT_EQ(figures::screenX[1][1], 0) << "the right rule gives left = -320, no stop";
    EXPECT_EQ(figures::screenX[1][2], box.width);
}

TEST(FrameBox, EmptySlotsAndNoSlotsAndAMinimisedWindow) {
    figures::clientWidth = 0;
    figures::clientHeight = 0;
    placePoints({{5, 5, 6, 6}, {-900, 900, 900, -900}});
    figures::pointCount[2] = 0;
    previousFrame(0, 0, 0, 0, 0, 0);
    render::FrameBox box = render::placeFrameBox(render::measureExtent());
    EXPECT_EQ(box.width, 1);
    EXPECT_EQ(box.height, 1);
    render::rewriteIntoFrame(box);
    EXPECT_EQ(figures::screenX[2][1], -900) << "a slot without points is left alone";

    settings::OPTIONN = 0;
    figures::screenX[1][1] = 3;
    EXPECT_EQ(render::measureExtent().minX, 3) << "the first point of slot 1 starts the extent";
}

TEST(FrameBox, ExtremeCoordinatesDoNotOverflow) {
    figures::clientWidth = std::numeric_limits<std::int32_t>::max();
    figures::clientHeight = std::numeric_limits<std::int32_t>::max();
    constexpr int low = std::numeric_limits<std::int32_t>::min();
    constexpr int high = std::numeric_limits<std::int32_t>::max();
    placePoints({{low, low, high, high}});
    previousFrame(low, low, high, high, high, low);
    render::FrameBox box = render::placeFrameBox(render::measureExtent());
    EXPECT_EQ(box.width, high);
    EXPECT_EQ(box.bottom, -high / 2);
    render::rewriteIntoFrame(box);
    EXPECT_GE(figures::screenX[1][2], 0);
    EXPECT_LE(figures::screenX[1][2], box.width);
}

TEST(FrameBox, SlotsAreVisitedLastFirstForTheFirstHalfTurn) {
    for (auto [angle, lastFirst] : {std::pair{0, true},
                                    {179, true},
                                    {180, false},
                                    {359, false},
                                    {360, true},
                                    {-1, true},
                                    {-180, false}}) {
        figures::overallAngle = angle;
        EXPECT_EQ(render::lastSlotFirst(), lastFirst) << angle;
    }
}

TEST(FaceOutline, ClosesEveryContourAndReadsNoRangeOutsideTheFigure) {
    constexpr int s = 4;
    buildPrism(s, {{{10, 10}, {10, -10}, {-10, -10}, {-10, 10}}, {{5, 5}, {5, -5}, {-5, -5}}});
    for (int v = 1; v <= 14; ++v) {
        figures::screenX[s][v] = v;
    }
    render::backVisible[s] = 1;
    ASSERT_TRUE(render::outlineFace(s));
    const render::FaceOutline& f = render::faceOutline;
    ASSERT_EQ(f.contours, 2);
    EXPECT_EQ(f.counts[0], 5);
    EXPECT_EQ(f.counts[1], 4);
    EXPECT_EQ(f.points[0].x, 8) << "the back face starts at vertex N + 1";
    EXPECT_EQ(f.points[4].x, 8) << "the outer contour closes on its first point";
    EXPECT_EQ(f.points[8].x, 12) << "the hole closes on its first point";

    figures::contourEnd[s][2] = 46;
    figures::contourStart[s][3] = 0;
    figures::contourEnd[s][3] = 3;
    figures::figureHeader[s][figures::contourCountField] = 99;
    ASSERT_TRUE(render::outlineFace(s));
    EXPECT_EQ(f.contours, 1);
    EXPECT_EQ(render::colourValue({0x1FF, -1, 256}), 0x00FFFFu);
}

} // namespace
