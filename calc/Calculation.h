#pragma once

#include "calc/LevelLookup.h"

#include <array>
#include <optional>
#include <string>

namespace lapidor {

enum class StartMode {
    CurrentLevel,      // start from the level typed in
    CurrentExperience, // start from the experience typed in
};

// Entered texts, report values and failure messages are UTF-8; texts from
// the levels file are decoded as the table's encoding says.
struct CalculationInput {
    std::optional<StartMode> mode;
    std::string levelText;
    std::string experienceText;
    std::array<std::string, 24> countTexts; // in gem catalogue order
    std::string decimalSeparator = ".";     // for a fractional New XP

    bool operator==(const CalculationInput&) const = default;
};

// The value texts of the eight report lines.
struct CalculationReport {
    std::string newLevel;
    std::string totalGems;
    std::string totalXpFromRoughs;
    std::string totalXpFromFinelyCuts;
    std::string totalXp;
    std::string oldXp;
    std::string oldLevel;
    std::string newXp;
};

// Why a calculation could not be made: which text is at fault, what is
// wrong with it, and the values a sentence about it needs.
struct CalculationFailure {
    enum class Subject {
        CurrentLevel,      // the level typed in
        CurrentExperience, // the experience typed in
        LevelExperience,   // the threshold of `level` in the levels file
        GemCount,          // the count of the gem at `gem` in the catalogue
    };
    enum class Problem {
        Empty,
        NotANumber,
        TooLarge, // beyond what the thing may hold
        TooSmall,
        BelowFirstLevel, // the current level is below 1
        NotListed,       // the current level is beyond the `levelsListed` levels read from `levelsSource`
    };
    Subject subject = Subject::CurrentLevel;
    Problem problem = Problem::NotANumber;
    std::string text;    // the text at fault, as written
    double level = 0;    // the level meant, read as a number
    std::size_t gem = 0; // in gem catalogue order
    std::size_t levelsListed = 0;
    LevelsSource levelsSource = LevelsSource::File;
};

struct CalculationResult {
    std::optional<CalculationReport> report;   // empty when the calculation failed
    std::optional<CalculationFailure> failure; // why it failed
};

// Adds the XP of the entered gems to the start value and looks up the old
// and new level. Either every line of the report is computed, or none is.
CalculationResult calculateReport(const LevelLookup& levels, const CalculationInput& input);

} // namespace lapidor
