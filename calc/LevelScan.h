#pragma once

#include "LevelTable.h"

#include <cstddef>

namespace lapidor {

// The row of the largest threshold that lies strictly between 0 and the
// experience; among equal thresholds the first row. Row 0 when none does.
// The table need not be sorted.
std::ptrdiff_t FindLevelIndex(const LevelTable& table, double experience);

} // namespace lapidor
