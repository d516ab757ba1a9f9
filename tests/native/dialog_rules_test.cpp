#include "dialog/dialog_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace {

using dialog::BarMove;
using dialog::Warning;

TEST(BarMoves, StepFromAnyStoredValueWithoutOverflow) {
    constexpr dialog::BarRange timer{10, 300, 1, 5};
    constexpr auto lowest = std::numeric_limits<std::int32_t>::min();
    constexpr auto highest = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(dialog::movedBarValue(5, BarMove::lineLeft, 0, timer), 10);
    EXPECT_EQ(dialog::movedBarValue(1000, BarMove::pageLeft, 0, timer), 995);
    EXPECT_EQ(dialog::movedBarValue(lowest, BarMove::lineLeft, 0, timer), 10);
    EXPECT_EQ(dialog::movedBarValue(lowest, BarMove::pageRight, 0, timer), lowest + 5);
    EXPECT_EQ(dialog::movedBarValue(highest, BarMove::pageRight, 0, timer), 300);
    EXPECT_EQ(dialog::movedBarValue(highest, BarMove::pageLeft, 0, timer), highest - 5);
}

// The dialog scrolled in a window shorter than its layout: every row can be brought to sight
// and none past the layout's ends, for any wanted row.
TEST(DialogScroll, HeldToTheLayoutAndShowingAControlWhole) {
    constexpr dialog::ScrollSpan tall{1005, 600};
    constexpr auto lowest = std::numeric_limits<std::int32_t>::min();
    constexpr auto highest = std::numeric_limits<std::int32_t>::max();
    struct Case {
        std::int64_t wanted;
        std::int32_t held;
    };
    for (const Case& c : {Case{-1, 0}, Case{200, 200}, Case{405, 405}, Case{406, 405},
                          Case{std::int64_t{highest} + 9, 405}, Case{lowest, 0}}) {
        EXPECT_EQ(dialog::heldScroll(c.wanted, tall), c.held) << c.wanted;
    }
    EXPECT_EQ(dialog::heldScroll(50, {300, 600}), 0) << "a layout that fits never scrolls";

    struct Showing {
        std::int32_t position, top, bottom, result;
    };
    for (const Showing& c : {
             Showing{0, 100, 120, 0},     // in sight already
             Showing{0, 700, 730, 130},   // below: its bottom comes to the window's bottom
             Showing{300, 100, 120, 100}, // above: its top comes to the window's top
             Showing{0, 980, 1005, 405},  // the last control
             Showing{0, 100, 900, 100},   // taller than the window: its top shows
             Showing{0, highest - 5, highest, 405},
         }) {
        EXPECT_EQ(dialog::scrollShowing(c.position, c.top, c.bottom, tall), c.result)
            << c.position << " " << c.top << ".." << c.bottom;
    }
}

// Slot 3 between a blank and a slot in use (a file the dialog never wrote): it is filled, then
// emptied again, each correction in place before its warning.
TEST(FigureRule, ABrokenRunGetsBothCorrectionsInOrder) {
    settings::OPTIONA = {0, 1, 0, 2, 3};
    settings::OPTIONN = 4;
    std::vector<std::pair<int, Warning>> seen;
    dialog::applyFigureChoice(3, 0, 4, [&](int item, Warning warning) {
        EXPECT_EQ(settings::OPTIONA[3], item);
        seen.emplace_back(item, warning);
    });
    EXPECT_EQ(seen,
              (std::vector{std::pair(1, Warning::noGapInRun), std::pair(0, Warning::noGapInRun)}));
    EXPECT_EQ(settings::OPTIONN, 4);
}

} // namespace
