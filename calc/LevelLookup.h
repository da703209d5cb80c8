#pragma once

#include "levels/LevelTable.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lapidor {

// What a lookup's table was read from: the levels file, or nothing, since
// there was no file or it could not be read.
enum class LevelsSource { File, NoFile, UnreadableFile };

// The level table, ready for lookups by experience. A table whose
// thresholds ascend, as a well-kept file's do, is searched as it stands;
// another gets an index of its rows by threshold, built once, so that a
// lookup costs the same on 5 levels as on 32,767.
class LevelLookup {
public:
    LevelLookup() = default;
    explicit LevelLookup(LevelTable table, LevelsSource source = LevelsSource::File);

    const LevelTable& table() const { return table_; }
    LevelsSource source() const { return source_; }

    // The row of the largest threshold above 0 that the experience has
    // reached: a level begins at its threshold. Among equal thresholds the
    // first row; row 0 when none is reached. The table need not be sorted.
    std::ptrdiff_t findLevelIndex(double experience) const;

private:
    double thresholdAt(std::ptrdiff_t row) const;

    LevelTable table_;
    LevelsSource source_ = LevelsSource::File;
    // For a table that does not ascend: the rows of the thresholds above 0,
    // by threshold, each threshold once with its first row.
    std::vector<std::uint32_t> rowsByThreshold_;
};

} // namespace lapidor
