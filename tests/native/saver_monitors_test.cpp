// The full-screen run over several monitors: the largest rectangle they all show, and the row's
// travel kept inside it.
#include "figure_setup.h"
#include "saver/saver.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <ostream>
#include <vector>

using namespace figure_setup;
using figures::Area;

namespace figures {
bool operator==(const Area& a, const Area& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
std::ostream& operator<<(std::ostream& out, const Area& a) {
    return out << "(" << a.left << "," << a.top << ")-(" << a.right << "," << a.bottom << ")";
}
} // namespace figures

namespace {

constexpr std::int32_t most = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t least = std::numeric_limits<std::int32_t>::min();

struct ShownCase {
    const char* desk;
    std::vector<Area> monitors;
    Area shown;
};

std::vector<Area> manyMonitors() {
    std::vector<Area> row;
    for (int m = 0; m < 16; ++m) {
        row.push_back({m * 100, 0, m * 100 + 100, 100});
    }
    row.push_back({1600, 0, 1700, 100}); // one past the table: left out
    return row;
}

TEST(SaverMonitors, TheShownAreaLiesWhollyOnTheMonitorsAndIsTheLargestSuch) {
    const ShownCase cases[] = {
        {"one monitor", {{0, 0, 1024, 768}}, {0, 0, 1024, 768}},
        {"primary left, smaller right",
         {{0, 0, 1024, 768}, {1024, 0, 1824, 600}},
         {0, 0, 1824, 600}},
        {"primary right, larger left",
         {{0, 0, 800, 600}, {-1024, 0, 0, 768}},
         {-1024, 0, 800, 600}},
        {"right one lower", {{0, 0, 1024, 768}, {1024, 300, 1824, 900}}, {0, 300, 1824, 768}},
        {"tall beside short", {{0, 0, 600, 1000}, {600, 0, 1400, 200}}, {0, 0, 600, 1000}},
        {"a gap between", {{0, 0, 800, 600}, {900, 0, 1700, 600}}, {0, 0, 800, 600}},
        {"one above the other", {{0, -600, 800, 0}, {0, 0, 1024, 768}}, {0, -600, 800, 768}},
        {"mirrored", {{0, 0, 1024, 768}, {0, 0, 1024, 768}}, {0, 0, 1024, 768}},
        {"four in a square",
         {{0, 0, 9, 9}, {9, 0, 18, 9}, {0, 9, 9, 18}, {9, 9, 18, 18}},
         {0, 0, 18, 18}},
        {"empty ones ignored", {{5, 5, 5, 9}, {0, 0, 10, 10}, {20, 20, 10, 10}}, {0, 0, 10, 10}},
        {"none", {}, {}},
        {"the whole plane", {{least, least, most, most}}, {least, least, most, most}},
        {"more than the table", manyMonitors(), {0, 0, 1600, 100}},
    };
    for (const ShownCase& c : cases) {
        SCOPED_TRACE(c.desk);
        EXPECT_EQ(saver::largestShownArea(c.monitors.data(), c.monitors.size()), c.shown);
    }
}

// A travelling row over a long run: its centre never leaves its range, and its face-on extent
// never leaves the travel area, on both axes and at either edge of the screen's origin.
TEST(SaverMonitors, TheTravellingRowStaysInsideTheTravelArea) {
    const Area areas[] = {{1024, 0, 1824, 600}, {-1024, 0, 800, 600}, {0, 168, 1024, 768}};
    for (const Area& area : areas) {
        SCOPED_TRACE(::testing::PrintToString(area));
        resetFigureModel();
        settings::OPTIONP = 2;
        settings::OPTIONN = 3;
        settings::SIZEIDO = 40;
        for (int s = 1; s <= 3; ++s) {
            setOutline(s, {{{-50, -50}, {50, -50}, {50, 50}, {-50, 50}}});
        }
        figures::clientWidth = 1824;
        figures::clientHeight = 768;
        figures::travelArea = area;
        figures::buildFigures();
        EXPECT_EQ(figures::rowX, area.left + (area.right - area.left) / 2);
        EXPECT_EQ(figures::rowY, area.top + (area.bottom - area.top) / 2);
        EXPECT_EQ(
            (std::array{figures::rowMinX, figures::rowMaxX, figures::rowMinY, figures::rowMaxY}),
            (std::array{area.left + 150, area.right - 150, area.top + 100, area.bottom - 100}));
        std::array<bool, 4> reached{};
        for (int frame = 0; frame < 5000; ++frame) {
            figures::boxMaxX = figures::boxMaxY = 0;
            figures::advanceMotion();
            ASSERT_GE(figures::rowX - 150, area.left) << "frame " << frame;
            ASSERT_LE(figures::rowX + 150, area.right) << "frame " << frame;
            ASSERT_GE(figures::rowY - 50, area.top) << "frame " << frame;
            ASSERT_LE(figures::rowY + 50, area.bottom) << "frame " << frame;
            reached[0] = reached[0] || figures::rowX == figures::rowMinX;
            reached[1] = reached[1] || figures::rowX == figures::rowMaxX;
            reached[2] = reached[2] || figures::rowY == figures::rowMinY;
            reached[3] = reached[3] || figures::rowY == figures::rowMaxY;
        }
        EXPECT_EQ(reached, (std::array{true, true, true, true})) << "it travels the whole range";
    }
}

// Without a travel area, and with one narrower than the row, the row keeps to the middle.
TEST(SaverMonitors, ARowWiderThanItsAreaStandsInItsMiddle) {
    resetFigureModel();
    settings::OPTIONP = 2;
    settings::OPTIONN = 2;
    figures::travelArea = {-1024, 0, -1000, 768};
    figures::buildFigures();
    EXPECT_EQ((std::array{figures::rowMinX, figures::rowMaxX, figures::rowX}),
              (std::array{-1012, -1012, -1012}));
    figures::travelArea = {least, least, most, most};
    figures::buildFigures();
    EXPECT_EQ(figures::rowMaxX, most - 100) << "no overflow at the far ends";
    EXPECT_EQ(figures::rowMinY, least + 100);
}

} // namespace
