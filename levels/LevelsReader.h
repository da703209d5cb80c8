#pragma once

#include "levels/LevelTable.h"

#include <cstddef>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace lapidor {

// The file the program reads its levels from, in the working directory.
inline constexpr std::string_view levelsFileName = "levels.txt";

// The most of a levels file that is read. The largest meaningful table,
// 32,767 levels, takes less than 1 MiB.
inline constexpr std::size_t largestLevelsFile = 16 << 20;

inline constexpr std::size_t unlimitedMemory = std::numeric_limits<std::size_t>::max();

// A line that does not give exactly one label and one threshold.
struct IrregularLine {
    std::size_t number = 0;    // counted from 1
    std::string problem;       // what it lacks or has too much of: "has two XP values"
    bool givesNoLevel = false; // it adds nothing, so every later level counts one lower
};

// A threshold the calculation cannot read as a number, such as "24O0".
struct UnreadableThreshold {
    std::size_t line = 0;
    std::size_t row = 0;   // in the list of thresholds, counted from 0
    std::string text;      // as written
    double leadingValue{}; // what looking a level up by experience makes of it
};

// A threshold not above the one before it, or not above 0 after the first.
struct ThresholdOutOfOrder {
    std::size_t line = 0;
    std::size_t row = 0;
    std::string text;
    double value{};
    std::size_t previousLine = 0;
    std::string previousText;
    double previousValue{};
};

struct LevelsFile {
    // What kept the file from being read, if anything.
    enum class Failure { None, File, Memory, WorkingFolder };

    LevelTable table;
    Failure failure = Failure::None;
    std::string unreadable; // why the file could not be read, in plain words; empty when it was
    std::optional<IrregularLine> firstIrregularLine;
    std::optional<UnreadableThreshold> firstUnreadableThreshold;
    std::optional<ThresholdOutOfOrder> firstThresholdOutOfOrder;
    std::filesystem::path folder; // where the file was looked for; empty when that is not known
};

// No table, for want of memory to hold it.
LevelsFile outOfMemory(std::filesystem::path folder);

// Fills a level table from the text of a levels file. Every line
// "[LEVEL=<label> XP=<threshold>]" adds its label and its threshold, the
// bytes kept as they are. A line ends at CR LF, a lone CR or a lone LF.
// Text that is valid UTF-8 reads as UTF-8, other text as Latin-1; text
// saved as UTF-16 is not read at all.
//
// Running out of memory gives an empty table and says so. memoryLimit
// bounds what the table may hold, so that tests can provoke that.
LevelsFile readLevels(std::string fileText, std::size_t memoryLimit = unlimitedMemory);

// Reads a levels file from disk: a regular file of at most
// largestLevelsFile bytes. Anything else gives an empty table and the
// reason in plain words.
LevelsFile readLevelsFile(const std::filesystem::path& path, std::size_t memoryLimit = unlimitedMemory);

} // namespace lapidor
