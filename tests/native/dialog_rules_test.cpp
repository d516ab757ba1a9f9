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
