// The figure report's score tables: a group of characters longer than the tables keeps the
// first ones and nothing past them, and the medians read only what was kept.
#include "tools/figure_scores.h"

#include <gtest/gtest.h>

namespace {

TEST(FigureScores, AGroupLongerThanTheTablesKeepsItsFirstCharactersOnly) {
    tools::GroupScores group{};
    int kept = 0;
    for (int i = 0; i < 3 * tools::scoredCharacters; ++i) {
        kept += tools::keepScores(group, i, -i, 2.0 * i) ? 1 : 0;
    }
    EXPECT_EQ(kept, tools::scoredCharacters);
    EXPECT_EQ(group.count, tools::scoredCharacters);
    EXPECT_EQ(group.fitted[tools::scoredCharacters - 1], tools::scoredCharacters - 1);
    EXPECT_EQ(group.reduced[1], -1);
    EXPECT_EQ(group.ceiling[2], 4);

    group.count = -5;
    EXPECT_FALSE(tools::keepScores(group, 1, 1, 1)) << "a broken count writes nothing";
}

TEST(FigureScores, MedianOfTheKeptValues) {
    tools::Scores values{};
    values[0] = 0.9;
    values[1] = 0.5;
    values[2] = 0.7;
    EXPECT_DOUBLE_EQ(tools::median(values, 3), 0.7);
    values = {};
    values[0] = 0.8;
    values[1] = 0.6;
    EXPECT_DOUBLE_EQ(tools::median(values, 2), 0.7);
    EXPECT_DOUBLE_EQ(tools::median(values, 0), 0.0);
    EXPECT_DOUBLE_EQ(tools::median(values, -3), 0.0);
    values.fill(0.25);
    EXPECT_DOUBLE_EQ(tools::median(values, 1000), 0.25) << "a count past the table is held to it";
}

} // namespace
