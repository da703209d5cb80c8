#include "calc/LevelLookup.h"

#include "text/Numbers.h"

#include <algorithm>
#include <utility>

namespace lapidor {

LevelLookup::LevelLookup(LevelTable table, LevelsSource source)
    : table_(std::move(table))
    , source_(source)
{
    if (table_.ascending())
        return;
    // Each threshold read once; a stable order keeps equal thresholds in
    // row order, so the first of each run is the first row.
    std::vector<std::pair<double, std::uint32_t>> steps;
    steps.reserve(table_.thresholdCount());
    for (std::size_t row = 0; row < table_.thresholdCount(); ++row)
        if (const double threshold = thresholdAt(std::ptrdiff_t(row)); threshold > 0)
            steps.emplace_back(threshold, std::uint32_t(row));
    std::stable_sort(steps.begin(), steps.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    steps.erase(
        std::unique(steps.begin(), steps.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
        steps.end());
    rowsByThreshold_.reserve(steps.size());
    for (const auto& step : steps)
        rowsByThreshold_.push_back(step.second);
}

double LevelLookup::thresholdAt(std::ptrdiff_t row) const
{
    return leadingNumber(table_.threshold(row));
}

std::ptrdiff_t LevelLookup::findLevelIndex(double experience) const
{
    // An experience that is not a number reaches no threshold.
    if (!(experience == experience))
        return 0;
    const auto reached = [&](double x, auto row) { return x < thresholdAt(std::ptrdiff_t(row)); };
    if (table_.ascending()) {
        // The rows are in the order of their thresholds, all above 0 but
        // perhaps the first, which is row 0 either way.
        std::size_t low = 0, high = table_.thresholdCount();
        while (low < high) {
            const auto middle = low + (high - low) / 2;
            if (reached(experience, middle))
                high = middle;
            else
                low = middle + 1;
        }
        return low == 0 ? 0 : std::ptrdiff_t(low - 1);
    }
    // The first step beyond the experience; the one before it is reached.
    const auto beyond = std::upper_bound(rowsByThreshold_.begin(), rowsByThreshold_.end(), experience, reached);
    return beyond == rowsByThreshold_.begin() ? 0 : std::ptrdiff_t(*std::prev(beyond));
}

} // namespace lapidor
