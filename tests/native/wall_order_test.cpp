#include "render/walls.h"
#include "render_test_figures.h"

#include <gtest/gtest.h>

namespace {

using namespace rendertest;

constexpr int slot = 3;

// A ring: a square with a square hole, in the builder's order.
void buildRing() {
    buildPrism(
        slot, {{{10, 10}, {10, -10}, {-10, -10}, {-10, 10}}, {{5, 5}, {5, -5}, {-5, -5}, {-5, 5}}});
}

render::WallShape shapeOf(int wall) {
    render::WallShape shape{};
    EXPECT_TRUE(render::shapeWall(slot, wall, shape)) << "wall " << wall << " faces away";
    return shape;
}

bool givesWay(int w, int o) {
    return render::candidateGivesWay(slot, shapeOf(w), shapeOf(o));
}

// A flat square facing the viewer at depth z.
void placeSquare(int wall, int firstVertex, double x, double y, double size, double z) {
    placeWall(slot, wall, firstVertex,
              {{x, y, z}, {x + size, y, z}, {x + size, y + size, z}, {x, y + size, z}});
}

TEST(FaceVisibility, FollowsTheFirstThreePointsOfEachFace) {
    buildRing();
    projectPrism(slot, 30);
    render::decideFaces(slot);
    EXPECT_EQ(render::frontVisible[slot], 1);
    EXPECT_EQ(render::backVisible[slot], 0);

    projectPrism(slot, 150);
    render::decideFaces(slot);
    EXPECT_EQ(render::frontVisible[slot], 0);
    EXPECT_EQ(render::backVisible[slot], 1);

    // Collinear first points: neither face, whatever the rest of the outline does.
    buildPrism(slot, {{{10, 10}, {10, 0}, {10, -10}, {-10, -10}}});
    projectPrism(slot, 30);
    render::decideFaces(slot);
    EXPECT_EQ(render::frontVisible[slot], 0);
    EXPECT_EQ(render::backVisible[slot], 0);

    // Fewer than three points enclose nothing, and the back face's third point does not exist.
    buildPrism(slot, {{{10, 10}, {10, -10}}});
    projectPrism(slot, 30);
    render::decideFaces(slot);
    EXPECT_EQ(render::frontVisible[slot], 0);
    EXPECT_EQ(render::backVisible[slot], 0);
}

TEST(WallOrder, HullWallsComeFirstInIncreasingNumberAndHolesAfter) {
    buildRing();
    projectPrism(slot, 30);
    render::orderWalls(slot);
    // The outer left wall and the hole's right wall face the viewer; top and bottom are edge-on.
    EXPECT_EQ(order(), (std::vector<int>{3, 5}));

    // A convex figure seen from the side and from above shows two hull walls and needs no
    // selection: they are listed in increasing number, so drawn in decreasing number.
    buildPrism(slot, {{{10, 10}, {10, -10}, {-10, -10}, {-10, 10}}});
    projectPrism(slot, 30, 20);
    render::orderWalls(slot);
    ASSERT_EQ(render::wallOrderCount, 2);
    EXPECT_LT(render::wallOrder[0], render::wallOrder[1]);
    for (int wall : order()) {
        EXPECT_EQ(figures::hullEdge[slot][wall], 1);
    }
}

TEST(WallOrder, EdgeOnAndMisnumberedWallsAreNotDrawn) {
    clearSlot(slot);
    singleContour(slot, 4);
    placeSquare(1, 1, 0, 0, 10, 1);
    // Corners 1, 2, 3 on one line: the wall is seen exactly edge-on.
    placeWall(slot, 2, 5, {{0, 0, 0}, {5, 5, 1}, {10, 10, 2}, {0, 10, 3}});
    // Corners outside the slot's eight vertices are never read.
    figures::sideQuad[slot][3] = {0, 1, 2, 3, 9};
    figures::sideQuad[slot][4] = {0, 0, 1, 2, 3};
    render::orderWalls(slot);
    EXPECT_EQ(order(), (std::vector<int>{1}));
}

TEST(WallOrder, StackedWallsAreSelectedNearestFirst) {
    clearSlot(slot);
    singleContour(slot, 6);
    // Three overlapping squares, the farthest numbered first so that the scan meets it first.
    placeSquare(1, 1, 0, 0, 10, 3);
    placeSquare(3, 5, 4, 3, 10, 2);
    placeSquare(5, 9, 8, 6, 10, 1);
    figures::sideQuad[slot][2] = figures::sideQuad[slot][4] =
        figures::sideQuad[slot][6] = {0, 1, 1, 1, 1};
    render::orderWalls(slot);
    EXPECT_EQ(order(), (std::vector<int>{5, 3, 1}));
}

TEST(WallComparison, NeighboursAreNeverComparedOnlyWithinTheirContour) {
    clearSlot(slot);
    // Contours 1..4 and 5..8; wall w is always a far square behind wall o, a near one.
    figures::pointCount[slot] = 8;
    figures::figureHeader[slot][figures::contourCountField] = 2;
    figures::contourStart[slot] = {0, 1, 5};
    figures::contourEnd[slot] = {0, 4, 8};
    placeSquare(1, 1, 0, 0, 10, 5);
    placeSquare(2, 5, 5, 5, 10, 0);
    const figures::SideQuad far = figures::sideQuad[slot][1], near = figures::sideQuad[slot][2];
    auto farGivesWayToNear = [&](int w, int o) {
        figures::sideQuad[slot][w] = far;
        figures::sideQuad[slot][o] = near;
        return givesWay(w, o);
    };
    EXPECT_TRUE(farGivesWayToNear(1, 3));
    EXPECT_FALSE(farGivesWayToNear(2, 3));
    EXPECT_FALSE(farGivesWayToNear(1, 4)) << "a contour's first wall meets its last";
    EXPECT_FALSE(farGivesWayToNear(4, 1)) << "a contour's last wall meets its first";
    EXPECT_TRUE(farGivesWayToNear(4, 5)) << "the next contour's first wall is no neighbour";
    EXPECT_TRUE(farGivesWayToNear(5, 4)) << "the previous contour's last wall is no neighbour";
    EXPECT_FALSE(farGivesWayToNear(5, 8));
}

TEST(WallComparison, BoxesThatOnlyTouchAreNotCompared) {
    clearSlot(slot);
    singleContour(slot, 6);
    // The far wall's right edge meets the near wall's left edge; a crossing there would find the
    // far wall behind.
    placeSquare(1, 1, 0, 0, 10, 5);
    placeSquare(3, 5, 10, 5, 10, 0);
    EXPECT_FALSE(givesWay(1, 3));
    placeSquare(3, 5, 9.5, 5, 10, 0);
    EXPECT_TRUE(givesWay(1, 3));
}

TEST(WallComparison, DepthTestsDecideBeforeTheCrossings) {
    clearSlot(slot);
    singleContour(slot, 6);
    // Walls bent out of their planes, so that the crossings alone would find w farther: o's
    // corners all behind w's plane keep w...
    placeWall(slot, 1, 1, {{0, 0, 5}, {10, 0, 5}, {10, 10, 5}, {0, 10, 20}});
    placeSquare(3, 5, 5, 5, 10, 6);
    EXPECT_FALSE(givesWay(1, 3));
    // ...and so do w's corners all in front of o's plane.
    placeSquare(1, 1, 0, 0, 10, 3);
    placeWall(slot, 3, 5, {{5, 5, 5}, {15, 5, 5}, {15, 15, 5}, {5, 15, -10}});
    EXPECT_FALSE(givesWay(1, 3));

    // o's corners exactly on w's plane decide nothing; the crossing of w's bent-back edge with
    // o's edge finds w farther.
    placeWall(slot, 1, 1, {{0, 0, 5}, {10, 0, 5}, {10, 10, 5}, {0, 10, 9}});
    placeSquare(3, 5, 5, 5, 10, 5);
    EXPECT_TRUE(givesWay(1, 3));
}

TEST(WallComparison, ContainedWallBehindGivesWay) {
    clearSlot(slot);
    singleContour(slot, 6);
    // w lies inside o's box and behind o's plane, with no edges crossing.
    placeSquare(1, 1, 4, 4, 2, 5);
    placeSquare(3, 5, 0, 0, 10, 0);
    EXPECT_TRUE(givesWay(1, 3));
    EXPECT_FALSE(givesWay(3, 1));
}

} // namespace
