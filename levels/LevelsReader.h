#pragma once

#include "files/RegularFile.h"
#include "levels/LevelTable.h"
#include "text/TextEncoding.h"

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
    enum class Problem {
        NoXpValue,           // neither " XP" nor "XP="
        NoSpaceBeforeXp,     // "XP=" without a space before it
        NoLevelMarker,       // " XP" too early in a line without "[LEVEL="
        XpBeforeLevelMarker, // " XP" before "[LEVEL="
        NoClosedXpValue,     // a label, but no "XP=" value closed by "]"
        SeveralXpValues,     // a label and `xpValues` values
        BlanksAroundEquals,  // blanks around the "=" after `marker`, before `value`
    };
    std::size_t number = 0; // counted from 1
    Problem problem = Problem::NoXpValue;
    bool givesNoLevel = false; // it adds nothing, so every later level counts one lower
    std::size_t xpValues = 0;
    std::string marker; // "XP" or "LEVEL"
    std::string value;  // as written
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

// What reading a levels file gave: the table, what kept it from being read
// if anything did, and what is irregular in it. Interfaces word these.
struct LevelsFile {
    enum class Failure {
        None,
        File,          // the file could not be read: see `problem`
        Utf16,         // it is saved as UTF-16, which is not read
        WorkingFolder, // the folder the program was started in no longer exists
        Memory,        // there was not enough memory to read it
    };

    LevelTable table;
    Failure failure = Failure::None;
    FileProblem problem;
    std::optional<IrregularLine> firstIrregularLine;
    std::optional<UnreadableThreshold> firstUnreadableThreshold;
    std::optional<ThresholdOutOfOrder> firstThresholdOutOfOrder;
    std::filesystem::path folder; // where the file was looked for; empty when that is not known
};

// The folder a path leads into; empty when the working folder a relative
// path starts from no longer exists.
std::filesystem::path folderOf(const std::filesystem::path& path);

// Fills a level table from the text of a levels file, given in pieces of
// any size as it is read. Every line "[LEVEL=<label> XP=<threshold>]" adds
// its label and its threshold, the bytes kept as they are. A line ends at
// CR LF, a lone CR or a lone LF. Text that is valid UTF-8 reads as UTF-8,
// other text as Latin-1; text saved as UTF-16 is not read at all.
//
// memoryLimit bounds what the table may hold, so that tests can provoke
// running out of memory: std::bad_alloc, as for real, for the caller.
class LevelsReader : public ChunkReceiver {
public:
    explicit LevelsReader(std::size_t memoryLimit = unlimitedMemory);

    void starting(std::uintmax_t size) override;
    void take(std::string_view chunk) override;
    LevelsFile finish();

private:
    void takeLines(std::string_view text);
    void readLine(std::string_view line);
    std::size_t appendThresholds(std::string_view line, std::size_t marker);
    void checkOrder(std::string_view threshold);
    void noteIrregular(std::string_view line, IrregularLine::Problem problem, bool givesNoLevel = false,
                       std::size_t xpValues = 0);
    void append(LevelTable::ItemList& list, std::string_view item);

    struct Previous {
        std::size_t line;
        double value;
    };

    LevelsFile file_;
    std::size_t memoryLimit_;
    std::string start_; // the first bytes, until they tell the file's encoding
    bool started_ = false;
    std::string partLine_; // a line that the next piece goes on with
    bool afterCr_ = false; // the last piece ended a line at CR: an LF that follows belongs to it
    std::size_t lineNumber_ = 1;
    Utf8Check utf8_;
    std::optional<Previous> previous_; // the last threshold read, when it is a number
};

// Reads a levels file's whole text at once.
LevelsFile readLevels(std::string_view fileText, std::size_t memoryLimit = unlimitedMemory);

// Reads a levels file from disk: a regular file of at most
// largestLevelsFile bytes. Anything else gives an empty table and the
// reason.
LevelsFile readLevelsFile(const std::filesystem::path& path, std::size_t memoryLimit = unlimitedMemory);

} // namespace lapidor
