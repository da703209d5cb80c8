#pragma once

#include "calc/LevelLookup.h"
#include "levels/LevelsReader.h"
#include "levels/LevelsWarning.h"

#include <QString>

#include <cstddef>

namespace lapidor {

struct LoadedLevels {
    LevelLookup levels;
    LevelsWarning warning = LevelsWarning::None;
    QString warningText; // what the player must hear about the file; empty for a well-formed one
};

// Reads the levels file and makes it ready for lookups, with what the
// player must hear about it and, where another file would help, where the
// installed sample lies. Running out of memory gives an empty table and
// says so: this is the one place that catches it. memoryLimit bounds what
// the table may hold, so that tests can provoke that.
LoadedLevels loadLevels(const QString& path, std::size_t memoryLimit = unlimitedMemory);

} // namespace lapidor
