// The scores of one group of characters in the figure report, in fixed tables: a group given on
// the command line may be longer than the tables, and its characters past them are not kept.
#pragma once

#include <algorithm>
#include <array>

namespace tools {

constexpr int scoredCharacters = 128;

using Scores = std::array<double, scoredCharacters>;

struct GroupScores {
    Scores fitted;
    Scores reduced;
    Scores ceiling;
    int count;
};

// Keeps one character's scores; false, keeping nothing, once the tables are full.
inline bool keepScores(GroupScores& group, double fitted, double reduced, double ceiling) {
    if (group.count < 0 || group.count >= scoredCharacters) {
        return false;
    }
    group.fitted[group.count] = fitted;
    group.reduced[group.count] = reduced;
    group.ceiling[group.count] = ceiling;
    ++group.count;
    return true;
}

// The median of the first `count` values (held to the table), which it sorts; 0 for none.
inline double median(Scores& values, int count) {
    count = std::clamp(count, 0, scoredCharacters);
    std::sort(values.begin(), values.begin() + count);
    return count == 0  ? 0.0
           : count % 2 ? values[count / 2]
                       : (values[count / 2 - 1] + values[count / 2]) / 2;
}

} // namespace tools
