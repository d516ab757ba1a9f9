// The figure importer's fitter on hand-made contours with known answers: every result must pass
// the same soundness checks as the shipped figures and keep the shape.
#include "figures/format.h"
#include "fitter/fit.h"
#include "fitter/geometry.h"
#include "fitter/optimise.h"
#include "fitter/raster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

using namespace fitter;

struct Point {
    double x, y;
};

std::unique_ptr<Glyph> glyphOf(const std::vector<std::vector<Point>>& contours) {
    auto glyph = std::make_unique<Glyph>();
    clearGlyph(*glyph);
    for (const auto& contour : contours) {
        beginContour(*glyph);
        for (Point p : contour) {
            addPoint(*glyph, p.x, p.y);
        }
        endContour(*glyph);
    }
    return glyph;
}

std::vector<Point> square(double cx, double cy, double half) {
    return {{cx - half, cy - half},
            {cx + half, cy - half},
            {cx + half, cy + half},
            {cx - half, cy + half}};
}

// Fonts fill by nonzero winding: a hole runs the other way round.
std::vector<Point> reversed(std::vector<Point> contour) {
    return {contour.rbegin(), contour.rend()};
}

std::vector<Point> ring(double cx, double cy, double radius, int points) {
    std::vector<Point> contour;
    for (int i = 0; i < points; ++i) {
        double angle = 2 * M_PI * i / points;
        contour.push_back({cx + radius * std::cos(angle), cy + radius * std::sin(angle)});
    }
    return contour;
}

struct Fitted {
    std::unique_ptr<Shape> shape = std::make_unique<Shape>();
    FitReport report{};
    figures::FigureRecord record{};
    bool ok = false;
};

FitWork work;

Fitted fit(const Glyph& glyph) {
    Fitted fitted;
    fitted.ok = fitFigure(work, glyph, *fitted.shape, fitted.report);
    if (fitted.ok) {
        shapeToRecord(*fitted.shape, fitted.record);
        EXPECT_EQ(figureFault(fitted.record), Fault::none);
        EXPECT_TRUE(figures::isWellFormed(fitted.record));
    }
    return fitted;
}

int listedOuter(const figures::FigureRecord& record) {
    int listed = 0;
    for (int h = 1; h <= figures::maxOuterContours; ++h) {
        listed += record.header[h] != 0 ? 1 : 0;
    }
    return listed;
}

TEST(ImporterFit, SquareWithSquareHoleIsKeptExactly) {
    auto glyph = glyphOf({square(0, 0, 40), reversed(square(0, 0, 20))});
    Fitted fitted = fit(*glyph);
    ASSERT_TRUE(fitted.ok);
    EXPECT_EQ(fitted.record.points, 8);
    EXPECT_EQ(fitted.record.header[figures::contourCountField], 2);
    EXPECT_EQ(listedOuter(fitted.record), 1);
    EXPECT_EQ(fitted.record.header[1], 1) << "the big square is the outer contour";
    EXPECT_DOUBLE_EQ(fitted.report.fitted, 1.0);
    EXPECT_EQ(fitted.report.droppedContours, 0);
}

TEST(ImporterFit, RingOf200PointsKeepsItsShapeIn45) {
    auto glyph = glyphOf({ring(0, 0, 45, 200), reversed(ring(0, 0, 30, 200))});
    Fitted fitted = fit(*glyph);
    ASSERT_TRUE(fitted.ok);
    EXPECT_LE(fitted.record.points, 45);
    EXPECT_EQ(fitted.record.header[figures::contourCountField], 2);
    EXPECT_EQ(listedOuter(fitted.record), 1);
    EXPECT_GT(fitted.report.fitted, 0.97);
    EXPECT_GE(fitted.report.fitted, fitted.report.reduced) << "the optimiser never loses";
    EXPECT_GT(fitted.report.ceiling, 0.96);
}

// True when the figure's even-odd fill covers the point (outline units).
bool covers(const Shape& shape, double x, double y) {
    bool inside = false;
    for (int c = 1; c <= shape.contours; ++c) {
        for (int k = shape.first[c]; k <= shape.last[c]; ++k) {
            const int j = k == shape.last[c] ? shape.first[c] : k + 1;
            const double ay = shape.y[k], by = shape.y[j];
            if ((ay > y) != (by > y) &&
                x < shape.x[k] + (y - ay) * (shape.x[j] - shape.x[k]) / (by - ay)) {
                inside = !inside;
            }
        }
    }
    return inside;
}

TEST(ImporterFit, EveryPieceIsKeptWhileThePointsHoldIt) {
    // 国: a frame, and in its hole a bar and a dot, each a piece of its own.
    auto country = glyphOf({square(0, 0, 45),
                            reversed(square(0, 0, 35)),
                            {{-25, -5}, {25, -5}, {25, 5}, {-25, 5}},
                            square(15, 20, 4)});
    // Six bars side by side: two more pieces than the format's four outer contours.
    std::vector<std::vector<Point>> bars;
    for (int i = 0; i < 6; ++i) {
        bars.push_back({{-45.0 + 15 * i, -40},
                        {-37.0 + 15 * i, -40},
                        {-37.0 + 15 * i, 40},
                        {-45.0 + 15 * i, 40}});
    }
    auto six = glyphOf(bars);
    struct Case {
        const Glyph* glyph;
        std::vector<Point> inked, open;
    } cases[] = {
        {country.get(), {{0, 40}, {0, 0}, {15, 20}}, {{0, 15}, {-30, -20}}},
        {six.get(), {{-41, 0}, {-26, 0}, {-11, 0}, {4, 0}, {19, 0}, {34, 0}}, {{-33, 0}, {27, 0}}},
    };
    for (const Case& c : cases) {
        Fitted fitted = fit(*c.glyph);
        ASSERT_TRUE(fitted.ok);
        EXPECT_EQ(fitted.report.droppedContours, 0);
        EXPECT_LE(listedOuter(fitted.record), figures::maxOuterContours);
        EXPECT_GT(fitted.report.fitted, 0.9);
        for (Point p : c.inked) {
            EXPECT_TRUE(covers(*fitted.shape, p.x, p.y)) << p.x << "," << p.y;
        }
        for (Point p : c.open) {
            EXPECT_FALSE(covers(*fitted.shape, p.x, p.y)) << p.x << "," << p.y;
        }
    }
}

TEST(ImporterFit, PiecesGoOnlyWhereThePointsCannotHoldThem) {
    // Fifteen separate squares in a 5 x 3 grid; two of them smaller. At 3 points a piece and 2
    // a seam beyond the fourth outer contour, 45 points hold ten pieces: the five smallest go.
    std::vector<std::vector<Point>> contours;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 5; ++column) {
            double half = (row == 1 && column < 2) ? 2 : 5;
            contours.push_back(square(-40 + 20 * column, -20 + 20 * row, half));
        }
    }
    auto glyph = glyphOf(contours);
    Fitted fitted = fit(*glyph);
    ASSERT_TRUE(fitted.ok);
    EXPECT_EQ(listedOuter(fitted.record), 4);
    EXPECT_EQ(fitted.report.droppedContours, 5);
    EXPECT_EQ(fitted.report.droppedHoles, 0);

    // Fifteen holes in one outer: one seam keeps 13 contours, and one hole, the smallest, goes.
    std::vector<std::vector<Point>> holes{square(0, 0, 48)};
    for (int i = 0; i < 14; ++i) {
        double half = i < 2 ? 1.5 : 3;
        holes.push_back(reversed(square(-35 + 10 * (i % 7), i < 7 ? 10 : -10, half)));
    }
    auto holed = glyphOf(holes);
    Fitted fittedHoles = fit(*holed);
    ASSERT_TRUE(fittedHoles.ok);
    EXPECT_EQ(fittedHoles.record.header[figures::contourCountField], 13);
    EXPECT_EQ(fittedHoles.report.droppedContours, 1);
    EXPECT_EQ(fittedHoles.report.droppedHoles, 1);
    EXPECT_EQ(listedOuter(fittedHoles.record), 1);
    EXPECT_NE(covers(*fittedHoles.shape, -35, 10), covers(*fittedHoles.shape, -25, 10))
        << "one of the two smallest holes is gone";
}

TEST(ImporterFit, TwoOutersWithHolesAreListedRight) {
    auto glyph = glyphOf({ring(-25, 0, 22, 60), reversed(ring(-25, 0, 10, 60)), square(25, 0, 20),
                          reversed(square(25, 0, 8))});
    Fitted fitted = fit(*glyph);
    ASSERT_TRUE(fitted.ok);
    EXPECT_EQ(fitted.record.header[figures::contourCountField], 4);
    EXPECT_EQ(listedOuter(fitted.record), 2);
    EXPECT_LE(fitted.record.points, 45);
    EXPECT_GT(fitted.report.fitted, 0.95);
}

TEST(ImporterFit, PiecesThatRoundingBringsTogetherAreKeptApart) {
    // Two bars a tenth of a unit apart: rounding puts their edges on one line.
    auto glyph = glyphOf({{{-30, 6.4}, {30, 6.4}, {30, 40}, {-30, 40}},
                          {{-30, -40}, {30, -40}, {30, 6.3}, {-30, 6.3}}});
    Fitted fitted = fit(*glyph);
    ASSERT_TRUE(fitted.ok);
    EXPECT_EQ(fitted.report.droppedContours, 0);
    EXPECT_EQ(listedOuter(fitted.record), 2);
    EXPECT_GT(fitted.report.fitted, 0.97);
}

TEST(ImporterFit, OptimiserKeepsItsCoverageExact) {
    // The optimiser updates the figure's coverage sample by sample as points move; it must end
    // exactly as a fresh fill of the moved figure, or it optimises the wrong overlap.
    auto glyph = glyphOf({ring(-10, 5, 40, 90), reversed(ring(-5, 0, 17, 50))});
    auto figure = std::make_unique<Shape>();
    figure->points = 8;
    figure->contours = 2;
    figure->first[1] = 1, figure->last[1] = 4, figure->first[2] = 5, figure->last[2] = 8;
    const std::int32_t points[8][2] = {{-40, -30}, {30, -30}, {30, 40}, {-40, 40},
                                       {-15, -10}, {5, -10},  {5, 10},  {-15, 10}};
    for (int k = 1; k <= 8; ++k) {
        figure->x[k] = points[k - 1][0];
        figure->y[k] = points[k - 1][1];
        figure->outer[k <= 4 ? 1 : 2] = k <= 4;
    }
    auto glyphMask = std::make_unique<FigureMask>();
    auto moved = std::make_unique<FigureMask>();
    auto fresh = std::make_unique<FigureMask>();
    fillGlyphFigureGrid(*glyph, *glyphMask, work.winding);
    fillShape(*figure, *moved);
    const double before = iouOf(overlapOf(glyphMask->data(), moved->data(), moved->size()));
    movePoints(work.optimiser, *figure, *glyphMask, *moved);
    fillShape(*figure, *fresh);
    EXPECT_TRUE(*moved == *fresh);
    EXPECT_GT(iouOf(overlapOf(glyphMask->data(), fresh->data(), fresh->size())), before + 0.05);
    EXPECT_EQ(shapeFault(*figure), Fault::none);
}

TEST(ImporterFit, NothingDrawableIsRefused) {
    auto flat = glyphOf({{{0, 0}, {10, 0}, {20, 0}}, {{0, 0}, {0.2, 0.1}, {0.4, 0}}});
    Fitted fitted = fit(*flat);
    EXPECT_FALSE(fitted.ok);
}

TEST(ImporterFit, CrossingInputStillGivesASoundFigure) {
    // A bow tie crossing itself and a square overlapping it.
    auto glyph = glyphOf({{{-40, -40}, {40, 40}, {40, -40}, {-40, 40}}, square(30, 30, 15)});
    Fitted fitted = fit(*glyph);
    if (fitted.ok) {
        EXPECT_EQ(figureFault(fitted.record), Fault::none);
    }
}

} // namespace

namespace {

std::unique_ptr<Shape> shapeOf(const std::vector<std::vector<std::array<int, 2>>>& contours,
                               const std::vector<bool>& outer) {
    auto shape = std::make_unique<Shape>();
    shape->points = shape->contours = 0;
    for (std::size_t c = 0; c < contours.size(); ++c) {
        shape->first[++shape->contours] = shape->points + 1;
        for (auto [x, y] : contours[c]) {
            ++shape->points;
            shape->x[shape->points] = x;
            shape->y[shape->points] = y;
        }
        shape->last[shape->contours] = shape->points;
        shape->outer[shape->contours] = outer[c];
    }
    return shape;
}

TEST(ImporterFit, SeamsJoinPiecesOnlyWhereTheWallsStillFaceOut) {
    // Two squares turning the same way, joined from (10,10) to (20,0) and back.
    const std::vector<std::array<int, 2>> joined = {{10, 10}, {20, 0},  {30, 0}, {30, 10}, {20, 10},
                                                    {20, 0},  {10, 10}, {0, 10}, {0, 0},   {10, 0}};
    // The second square turned the other way round: its walls would face into it.
    const std::vector<std::array<int, 2>> againstTheGrain = {{10, 10}, {20, 0}, {20, 10}, {30, 10},
                                                             {30, 0},  {20, 0}, {10, 10}, {0, 10},
                                                             {0, 0},   {10, 0}};
    // A square frame whose hole is joined to it through the solid, the hole turning against it.
    const std::vector<std::array<int, 2>> keyhole = {{40, 0},  {40, 40}, {0, 40},  {0, 0},
                                                     {20, 0},  {10, 10}, {10, 30}, {30, 30},
                                                     {30, 10}, {10, 10}, {20, 0}};
    // A figure eight: a point passed twice with no seam.
    const std::vector<std::array<int, 2>> eight = {{0, 0},   {10, 10}, {20, 0},
                                                   {20, 20}, {10, 10}, {0, 20}};
    struct Case {
        const std::vector<std::array<int, 2>>* contour;
        Fault fault;
    } cases[] = {{&joined, Fault::none},
                 {&againstTheGrain, Fault::crossingSeam},
                 {&keyhole, Fault::none},
                 {&eight, Fault::crossingSeam}};
    for (const Case& c : cases) {
        EXPECT_EQ(shapeFault(*shapeOf({*c.contour}, {true})), c.fault) << c.contour->size();
    }
    // A third piece standing across the seam.
    EXPECT_EQ(shapeFault(*shapeOf({joined, {{14, 2}, {16, 2}, {16, 8}}}, {true, true})),
              Fault::contoursMeet);
    // A piece inside a hole is outer again, and must be listed.
    auto island = shapeOf({{{0, 0}, {40, 0}, {40, 40}, {0, 40}},
                           {{10, 10}, {10, 30}, {30, 30}, {30, 10}},
                           {{15, 15}, {25, 15}, {25, 25}, {15, 25}}},
                          {true, false, true});
    EXPECT_EQ(shapeFault(*island), Fault::none);
    island->outer[3] = false;
    EXPECT_EQ(shapeFault(*island), Fault::outerNotListed);
}

} // namespace
