#include "levels/LevelsWarning.h"

namespace lapidor {

LevelsWarning levelsWarning(const LevelsFile& file)
{
    if (file.failure != LevelsFile::Failure::None)
        return LevelsWarning::Unreadable;
    if (file.table.thresholdCount() == 0)
        return LevelsWarning::NoLevels;
    if (file.firstIrregularLine)
        return LevelsWarning::OutOfStep;
    if (file.firstMisnumberedLevel)
        return LevelsWarning::MisnumberedLevel;
    if (file.firstOddThreshold)
        return LevelsWarning::OddThreshold;
    if (file.firstThresholdOutOfOrder)
        return LevelsWarning::ThresholdsOutOfOrder;
    return LevelsWarning::None;
}

} // namespace lapidor
