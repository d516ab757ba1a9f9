#include "settings/dialog_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace {

using dialog::BarMove;
using dialog::Warning;
using settings::OPTIONA;
using settings::OPTIONN;

constexpr dialog::BarRange timer{10, 300, 1, 5};
constexpr dialog::BarRange angle{0, 359, 1, 1};
constexpr auto lowest = std::numeric_limits<std::int32_t>::min();
constexpr auto highest = std::numeric_limits<std::int32_t>::max();

TEST(BarMoves, StopAtTheBoundsEvenFromStoredValuesFarOutside) {
    EXPECT_EQ(dialog::movedBarValue(10, BarMove::pageLeft, 0, timer), 10);
    EXPECT_EQ(dialog::movedBarValue(298, BarMove::pageRight, 0, timer), 300);
    EXPECT_EQ(dialog::movedBarValue(0, BarMove::pageRight, 0, angle), 1);
    EXPECT_EQ(dialog::movedBarValue(5, BarMove::lineLeft, 0, timer), 10);
    EXPECT_EQ(dialog::movedBarValue(1000, BarMove::pageLeft, 0, timer), 995);
    EXPECT_EQ(dialog::movedBarValue(lowest, BarMove::lineLeft, 0, timer), 10);
    EXPECT_EQ(dialog::movedBarValue(lowest, BarMove::pageRight, 0, timer), lowest + 5);
    EXPECT_EQ(dialog::movedBarValue(highest, BarMove::pageRight, 0, timer), 300);
    EXPECT_EQ(dialog::movedBarValue(highest, BarMove::pageLeft, 0, timer), highest - 5);
    EXPECT_EQ(dialog::movedBarValue(highest, BarMove::none, 0, timer), highest);
    EXPECT_EQ(dialog::movedBarValue(55, BarMove::thumb, 120, timer), 120);
}

class FigureRule : public testing::Test {
  protected:
    void SetUp() override {
        OPTIONA = {};
        OPTIONN = 0;
    }

    void run(std::vector<int> slots, int slot, int selected, int figureCount = 4) {
        OPTIONA = {};
        for (std::size_t k = 0; k < slots.size(); ++k) {
            OPTIONA[k + 1] = slots[k];
        }
        corrections.clear();
        dialog::applyFigureChoice(slot, selected, figureCount, [&](int item, Warning warning) {
            corrections.emplace_back(item, warning);
            seenWhileWarning = OPTIONA[slot];
        });
    }

    std::vector<std::pair<int, Warning>> corrections;
    int seenWhileWarning = -1;
};

TEST_F(FigureRule, CorrectionsAreInPlaceBeforeTheirWarning) {
    OPTIONN = 3;
    run({1, 2, 3}, 2, 0);
    ASSERT_EQ(corrections.size(), 1u);
    EXPECT_EQ(corrections[0], std::pair(1, Warning::noGapInRun));
    EXPECT_EQ(seenWhileWarning, 1);
    EXPECT_EQ(OPTIONN, 3);
}

TEST_F(FigureRule, ABrokenRunFromTheFileGetsBothCorrections) {
    // Slot 3 between a blank and a slot in use: filled first, then emptied again.
    OPTIONN = 4;
    run({1, 0, 2, 3}, 3, 0);
    ASSERT_EQ(corrections.size(), 2u);
    EXPECT_EQ(corrections[0], std::pair(1, Warning::noGapInRun));
    EXPECT_EQ(corrections[1], std::pair(0, Warning::noGapInRun));
    EXPECT_EQ(OPTIONA[3], 0);
    EXPECT_EQ(OPTIONN, 4);
}

TEST_F(FigureRule, LastSlotAndOddCountsStayInBounds) {
    OPTIONN = 26;
    run(std::vector<int>(26, 1), 26, 0);
    EXPECT_TRUE(corrections.empty());
    EXPECT_EQ(OPTIONN, 25);
    OPTIONN = lowest;
    run({1, 1}, 2, 3);
    EXPECT_EQ(OPTIONN, lowest);
}

TEST_F(FigureRule, NoSelectionKeepsTheStoredFigure) {
    OPTIONN = 3;
    run({1, 2, 77}, 3, -1);
    EXPECT_EQ(OPTIONA[3], 77);
    EXPECT_EQ(OPTIONN, 3);
    EXPECT_TRUE(corrections.empty());
}

TEST_F(FigureRule, EmptyFigureListWarnsOnlyForANewBlank) {
    OPTIONN = 1;
    run({5}, 1, 0, 0);
    EXPECT_EQ(corrections, (std::vector{std::pair(0, Warning::chooseOne)}));
    EXPECT_EQ(OPTIONA[1], 0);
    run({0}, 1, 0, 0);
    EXPECT_TRUE(corrections.empty());
}

} // namespace
