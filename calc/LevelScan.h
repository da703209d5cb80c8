#pragma once

#include "levels/LevelTable.h"

#include <cstddef>
#include <vector>

namespace lapidor {

// The row of the largest threshold that lies strictly between 0 and the
// experience; among equal thresholds the first row. Row 0 when none does.
// The table need not be sorted.
std::ptrdiff_t FindLevelIndex(const LevelTable& table, double experience);

// The thresholds' leading numbers, read once for several scans, and the
// same scan over them.
std::vector<double> thresholdValues(const LevelTable& table);
std::ptrdiff_t FindLevelIndex(const std::vector<double>& thresholds, double experience);

} // namespace lapidor
