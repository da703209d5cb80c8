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
        TabBeforeXp,         // "XP=" with a tab before it, where the space belongs
        NoLevelMarker,       // " XP" too early in a line without "[LEVEL="
        XpBeforeLevelMarker, // " XP" before "[LEVEL="
        NoClosedXpValue,     // a label, but no "XP=" value closed by "]"
        SeveralXpValues,     // a label and `xpValues` values
        BlanksAroundEquals,  // blanks around the "=" after `marker`, before `value`
        LowerCaseMarker,     // `marker` ("level", "Xp", ...) before "=", not in capitals
    };
    std::size_t number = 0; // counted from 1
    Problem problem = Problem::NoXpValue;
    bool givesNoLevel = false; // it adds nothing, so every later level counts one lower
    std::size_t xpValues = 0;
    std::string marker; // "XP" or "LEVEL", or as written when not in capitals
    std::string value;  // as written
};

// An XP value not written as plain digits (blanks at its ends aside), or
// with more than 15 digits after its leading zeros: "24O0", "89140.5",
// "8.914e4", "-5", "1,000".
struct OddThreshold {
    enum class Reading {
        NotANumber, // a calculation from its level fails
        TooLarge,   // beyond a double: likewise, and no experience reaches it
        Number,     // read as `leadingValue` by every calculation
        LongNumber, // digits only, more than 15 of them: read, rounded, as `leadingValue`
    };
    std::size_t line = 0;
    std::size_t row = 0; // in the list of thresholds, counted from 0
    std::string text;    // as written
    Reading reading = Reading::NotANumber;
    double leadingValue{}; // what looking a level up by experience makes of it
};

// In a file whose first label is a number, the first label that is not
// its place in the file: typing a level finds it by its place (row + 1),
// whatever its label says.
struct MisnumberedLevel {
    enum class Label {
        Higher,     // than its place: a line missing above it?
        Lower,      // a line repeated above it, or a first label 0
        NotANumber, // "1O"
    };
    std::size_t line = 0;
    std::size_t row = 0;   // in the list of labels, counted from 0
    std::string label;     // as written
    std::string threshold; // the XP value in the same row, as written
    Label kind = Label::Higher;
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
    bool blank = true; // it holds nothing but blanks and line ends
    std::optional<IrregularLine> firstIrregularLine;
    std::optional<MisnumberedLevel> firstMisnumberedLevel;
    std::optional<OddThreshold> firstOddThreshold;
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
    void checkPlace(std::string_view label);
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
    bool unreadableThreshold_ = false; // a threshold that is not a number was read
    bool numbered_ = false;            // the first label is a number, so every label must be its place
    std::string place_ = "0";          // the place of the last label checked, counted from 1
};

// Reads a levels file's whole text at once.
LevelsFile readLevels(std::string_view fileText, std::size_t memoryLimit = unlimitedMemory);

// Reads a levels file from disk: a regular file of at most
// largestLevelsFile bytes. Anything else gives an empty table and the
// reason.
LevelsFile readLevelsFile(const std::filesystem::path& path, std::size_t memoryLimit = unlimitedMemory);

} // namespace lapidor
