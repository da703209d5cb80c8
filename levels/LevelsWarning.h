#pragma once

#include "levels/LevelsReader.h"

#include <string>
#include <string_view>

namespace lapidor {

// What the user must hear at start-up about the levels file: the first of
// these that applies, or nothing for a well-formed file.
struct LevelsWarning {
    enum class Kind {
        None,
        Unreadable,           // missing, not a regular file, too large, UTF-16, ...
        NoLevels,             // read, but it gives no threshold at all
        OutOfStep,            // a line gives other than exactly one label and one threshold
        UnreadableThreshold,  // a threshold is not a number: "24O0"
        ThresholdsOutOfOrder, // a threshold is not above the one before it
    };
    Kind kind = Kind::None;
    std::string text;       // plain words, with how to go on
    bool wantsFile = false; // putting another file in place is the way on
};

LevelsWarning levelsWarning(const LevelsFile& file, std::string_view fileName);

} // namespace lapidor
