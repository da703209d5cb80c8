#include "calc/LevelLookup.h"

#include "text/Numbers.h"

#include <algorithm>

namespace lapidor {

LevelLookup::LevelLookup(LevelTable table)
    : table_(std::move(table))
{
    steps_.reserve(table_.size());
    for (std::size_t row = 0; row < table_.size(); ++row)
        if (const double threshold = leadingNumber(table_.threshold(std::ptrdiff_t(row))); threshold > 0)
            steps_.push_back({threshold, std::ptrdiff_t(row)});

    // A stable order keeps equal thresholds in row order, so the first of
    // each run is the first row. Files are nearly always sorted already.
    const auto byThreshold = [](const Step& a, const Step& b) { return a.threshold < b.threshold; };
    if (!std::is_sorted(steps_.begin(), steps_.end(), byThreshold))
        std::stable_sort(steps_.begin(), steps_.end(), byThreshold);
    const auto equalThreshold = [](const Step& a, const Step& b) { return a.threshold == b.threshold; };
    steps_.erase(std::unique(steps_.begin(), steps_.end(), equalThreshold), steps_.end());
}

std::ptrdiff_t LevelLookup::findLevelIndex(double experience) const
{
    // The first step beyond the experience; the one before it is reached.
    // An experience that is not a number reaches none.
    const auto beyond = std::upper_bound(steps_.begin(), steps_.end(), experience,
                                         [](double x, const Step& step) { return x < step.threshold; });
    if (beyond == steps_.begin() || !(experience >= steps_.front().threshold))
        return 0;
    return std::prev(beyond)->row;
}

} // namespace lapidor
