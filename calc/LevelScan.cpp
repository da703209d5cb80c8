#include "LevelScan.h"

#include "Numbers.h"

namespace lapidor {

std::ptrdiff_t FindLevelIndex(const LevelTable& table, double experience)
{
    double best = 0.0;
    std::ptrdiff_t chosen = 0;
    const auto rows = static_cast<std::ptrdiff_t>(table.size());
    for (std::ptrdiff_t row = 0; row < rows; ++row) {
        const double threshold = LeadingNumber(table.threshold(row));
        if (threshold < experience && threshold > best) {
            best = threshold;
            chosen = row;
        }
    }
    return chosen;
}

} // namespace lapidor
