#pragma once

#include "levels/LevelsReader.h"

namespace lapidor {

// What the user must hear at start-up about the levels file: the first of
// these that applies, or nothing for a well-formed file.
enum class LevelsWarning {
    None,
    Unreadable,           // missing, not a regular file, too large, UTF-16, out of memory, ...
    NoLevels,             // read, but it gives no threshold at all
    OutOfStep,            // a line gives other than exactly one label and one threshold
    MisnumberedLevel,     // a level's label is not its place in the file: "LEVEL=5" on the 4th level
    OddThreshold,         // a threshold is not plain digits: "24O0", "89140.5"
    ThresholdsOutOfOrder, // a threshold is not above the one before it
};

LevelsWarning levelsWarning(const LevelsFile& file);

} // namespace lapidor
