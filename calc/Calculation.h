#pragma once

#include "levels/LevelTable.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lapidor {

enum class StartMode {
    CurrentLevel,      // start from the level typed in Text26
    CurrentExperience, // start from the experience typed in Text25
};

// Entered texts, report values and failure messages are UTF-8; the level
// table holds the levels file's 8-bit text, which is read as Latin-1.
struct CalculationInput {
    std::optional<StartMode> Mode;
    std::string LevelText;
    std::string ExperienceText;
    std::array<std::string, 24> CountTexts; // in gem catalogue order
    std::string DecimalSeparator = ".";     // for a fractional New XP
};

// The value texts of the eight report lines; each is shown after its prefix.
struct CalculationReport {
    std::string NewLevel;
    std::string TotalGems;
    std::string TotalXpFromRoughs;
    std::string TotalXpFromFinelyCuts;
    std::string TotalXp;
    std::string OldXp;
    std::string OldLevel;
    std::string NewXp;
};

struct ReportLine {
    std::string_view labelName;
    std::string_view prefix;
    std::string CalculationReport::*value;
};

// The report lines in the order the window writes them.
inline constexpr std::array<ReportLine, 8> reportLines = {{
    {"Label33", "New Level: ", &CalculationReport::NewLevel},
    {"Label25", "Total Gems: ", &CalculationReport::TotalGems},
    {"Label27", "Total XP From Roughs: ", &CalculationReport::TotalXpFromRoughs},
    {"Label26", "Total XP From Finely Cuts: ", &CalculationReport::TotalXpFromFinelyCuts},
    {"Label24", "Total XP: ", &CalculationReport::TotalXp},
    {"Label29", "Old XP: ", &CalculationReport::OldXp},
    {"Label32", "Old Level: ", &CalculationReport::OldLevel},
    {"Label31", "New XP: ", &CalculationReport::NewXp},
}};

inline std::string caption(const ReportLine& line, const CalculationReport& report)
{
    return std::string(line.prefix) + report.*line.value;
}

struct CalculationResult {
    std::optional<CalculationReport> report; // empty when the calculation failed
    std::string failure;                     // why it failed, in plain words for the user
};

// Adds the XP of the entered gems to the start value and looks up the old
// and new level. Either every line of the report is computed, or none is.
CalculationResult CalculateReport(const LevelTable& table, const CalculationInput& input);

} // namespace lapidor
