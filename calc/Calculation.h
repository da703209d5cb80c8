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

struct CalculationResult {
    std::optional<CalculationReport> report; // empty when the calculation failed
    std::string failure;                     // why it failed, in plain words for the user
};

// Adds the XP of the entered gems to the start value and looks up the old
// and new level. Either every line of the report is computed, or none is.
CalculationResult calculateReport(const LevelLookup& levels, const CalculationInput& input);

} // namespace lapidor
