#include "calc/LevelScan.h"

#include "calc/Numbers.h"

namespace lapidor {

std::vector<double> thresholdValues(const LevelTable& table)
{
    std::vector<double> values;
    values.reserve(table.List2.size());
    for (const auto& threshold : table.List2)
        values.push_back(LeadingNumber(threshold));
    return values;
}

std::ptrdiff_t FindLevelIndex(const std::vector<double>& thresholds, double experience)
{
    double best = 0.0;
    std::ptrdiff_t chosen = 0;
    for (std::size_t row = 0; row < thresholds.size(); ++row) {
        if (thresholds[row] <= experience && thresholds[row] > best) {
            best = thresholds[row];
            chosen = std::ptrdiff_t(row);
        }
    }
    return chosen;
}

std::ptrdiff_t FindLevelIndex(const LevelTable& table, double experience)
{
    return FindLevelIndex(thresholdValues(table), experience);
}

} // namespace lapidor
