#pragma once

#include "levels/LevelTable.h"

#include <cstddef>
#include <vector>

namespace lapidor {

// The row of the largest threshold above 0 that the experience has reached:
// a level begins at its threshold. Among equal thresholds the first row;
// row 0 when none is reached.
// The table need not be sorted.
std::ptrdiff_t FindLevelIndex(const LevelTable& table, double experience);

// The thresholds' leading numbers, read once for several scans, and the
// same scan over them.
std::vector<double> thresholdValues(const LevelTable& table);
std::ptrdiff_t FindLevelIndex(const std::vector<double>& thresholds, double experience);

} // namespace lapidor
