#pragma once

#include "calc/LevelLookup.h"
#include "levels/LevelsReader.h"
#include "levels/LevelsWarning.h"

#include <QString>

#include <cstddef>

namespace lapidor {

// The levels file read and made ready for lookups, with what is wrong with
// it, in no words yet: this part may run on any thread.
struct ReadLevels {
    LevelLookup levels;
    LevelsFile file; // all but the table, which `levels` holds
    LevelsWarning warning = LevelsWarning::None;
};

struct LoadedLevels {
    LevelLookup levels;
    LevelsWarning warning = LevelsWarning::None;
    QString warningText; // what the player must hear about the file; empty for a well-formed one
};

// Reads the levels file and makes it ready for lookups. Running out of
// memory gives an empty table and says so: this is the one place that
// catches it. memoryLimit bounds what the table may hold, so that tests
// can provoke that.
ReadLevels readLevels(const QString& path, std::size_t memoryLimit = unlimitedMemory);

// The levels file read, with what the player must hear about it and, where
// another file would help, where the installed sample lies.
LoadedLevels toldAbout(ReadLevels read, const QString& path);

// Both at once.
LoadedLevels loadLevels(const QString& path, std::size_t memoryLimit = unlimitedMemory);

} // namespace lapidor
