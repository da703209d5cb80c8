#pragma once

#include "levels/LevelTable.h"

#include <cstddef>
#include <vector>

namespace lapidor {

// The level table with an index of its thresholds, built once when the
// table is loaded, so that a level lookup costs the same on 5 levels as on
// 32,767.
class LevelLookup {
public:
    LevelLookup() = default;
    explicit LevelLookup(LevelTable table);

    const LevelTable& table() const { return table_; }

    // The row of the largest threshold above 0 that the experience has
    // reached: a level begins at its threshold. Among equal thresholds the
    // first row; row 0 when none is reached. The table need not be sorted.
    std::ptrdiff_t findLevelIndex(double experience) const;

private:
    struct Step {
        double threshold; // the leading number of the threshold text
        std::ptrdiff_t row;
    };

    LevelTable table_;
    std::vector<Step> steps_; // thresholds above 0, ascending, each value once with its first row
};

} // namespace lapidor
