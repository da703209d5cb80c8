#include "calc/Calculation.h"

#include "calc/ExperienceFormat.h"
#include "calc/GemCatalogue.h"
#include "calc/LevelScan.h"
#include "levels/LevelsReader.h"
#include "calc/Numbers.h"

#include <cmath>
#include <cstdint>

namespace lapidor {

namespace {

struct StartValues {
    std::string experienceText;
    std::string levelText;
    double experience = 0.0;
};

struct GemSums {
    std::int64_t gems = 0;
    std::int64_t roughXp = 0;
    std::int64_t finelyCutXp = 0;
};

// Texts from the levels file are 8-bit Latin-1; the report and the
// messages, like the entered texts, are UTF-8.
std::string fromLevelsFile(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (const unsigned char c : bytes) {
        if (c < 0x80) {
            text += char(c);
        } else {
            text += char(0xC0 | (c >> 6));
            text += char(0x80 | (c & 0x3F));
        }
    }
    return text;
}

// A text as a message shows it; a long paste is cut short, between whole
// UTF-8 characters.
std::string shortened(std::string_view text)
{
    std::size_t cut = 40;
    if (text.size() <= cut)
        return std::string(text);
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return std::string(text.substr(0, cut)) + "...";
}

std::string inQuotes(std::string_view text)
{
    std::string quoted(1, '"');
    quoted += shortened(text);
    quoted += '"';
    return quoted;
}

// The end of a sentence about a number beyond what its thing may hold.
std::string beyondRange(std::string_view text, double value)
{
    return std::string(value > 0 ? "is too large: " : "is too small: ") + inQuotes(text) + ".";
}

// What is wrong with a text that should be a number: nothing, or the end of
// a sentence that names the thing it is, such as "is not a number: "12a".".
std::string numberProblem(std::string_view text, std::optional<double> value)
{
    if (text.empty())
        return "is empty.";
    if (!value)
        return "is not a number: " + inQuotes(text) + ".";
    if (std::isinf(*value))
        return beyondRange(text, *value);
    return {};
}

std::string levelsListed(std::size_t count)
{
    if (count == 0)
        return "which lists no levels";
    return "which lists " + std::to_string(count) + (count == 1 ? " level" : " levels");
}

const std::string levelsFile(levelsFileName);

// Fills the start values from the level typed; returns why that is not
// possible, or nothing.
std::string startFromLevel(const LevelTable& table, std::string_view levelText, StartValues& start)
{
    const auto value = WholeNumber(levelText);
    if (auto problem = numberProblem(levelText, value); !problem.empty())
        return "The current level " + problem;

    const auto level = readInt16(levelText);
    const auto levelName = "Level " + (level ? std::to_string(*level) : shortened(levelText));
    if (std::nearbyint(*value) < 1)
        return levelName + " is not in " + levelsFile + ": levels start at 1.";
    if (!level || static_cast<std::size_t>(*level) > table.size())
        return levelName + " is not in " + levelsFile + ", " + levelsListed(table.size()) + ".";

    const auto threshold = fromLevelsFile(table.threshold(*level - 1));
    const auto experience = WholeNumber(threshold);
    if (auto problem = numberProblem(threshold, experience); !problem.empty())
        return "The experience of level " + std::to_string(*level) + " in " + levelsFile + " " + problem;

    start.experienceText = threshold;
    start.levelText = levelText;
    start.experience = *experience;
    return {};
}

std::string startFromExperience(const LevelTable& table, const std::vector<double>& thresholds,
                                std::string_view experienceText, StartValues& start)
{
    const auto experience = WholeNumber(experienceText);
    if (auto problem = numberProblem(experienceText, experience); !problem.empty())
        return "The current experience " + problem;

    start.experienceText = experienceText;
    start.levelText = fromLevelsFile(table.label(FindLevelIndex(thresholds, *experience)));
    start.experience = *experience;
    return {};
}

std::string sumGems(const std::array<std::string, 24>& countTexts, GemSums& sums)
{
    for (std::size_t i = 0; i < GemCatalogue.size(); ++i) {
        const auto& gem = GemCatalogue[i];
        const auto count = readInt16(countTexts[i]);
        if (!count) {
            const auto value = WholeNumber(countTexts[i]);
            auto problem = numberProblem(countTexts[i], value);
            if (problem.empty()) // a number, but beyond what a count can be
                problem = beyondRange(countTexts[i], *value);
            auto name = gem.caption;
            name.remove_suffix(1); // the caption's colon
            return "The count of " + std::string(name) + " " + problem;
        }
        sums.gems += *count;
        (gem.state == GemState::Rough ? sums.roughXp : sums.finelyCutXp) += std::int64_t{*count} * gem.xpPerUnit;
    }
    return {};
}

} // namespace

CalculationResult CalculateReport(const LevelTable& table, const CalculationInput& input)
{
    const auto thresholds = thresholdValues(table); // read once for both level scans
    StartValues start;
    std::string failure;
    if (input.Mode == StartMode::CurrentLevel)
        failure = startFromLevel(table, input.LevelText, start);
    else if (input.Mode == StartMode::CurrentExperience)
        failure = startFromExperience(table, thresholds, input.ExperienceText, start);

    GemSums sums;
    if (failure.empty())
        failure = sumGems(input.CountTexts, sums);
    if (!failure.empty())
        return {std::nullopt, failure};

    const std::int64_t totalXp = sums.roughXp + sums.finelyCutXp;
    const double newXp = start.experience + static_cast<double>(totalXp);

    CalculationReport report;
    report.NewLevel = fromLevelsFile(table.label(FindLevelIndex(thresholds, newXp)));
    report.TotalGems = std::to_string(sums.gems);
    report.TotalXpFromRoughs = std::to_string(sums.roughXp);
    report.TotalXpFromFinelyCuts = std::to_string(sums.finelyCutXp);
    report.TotalXp = std::to_string(totalXp);
    report.OldXp = start.experienceText;
    report.OldLevel = start.levelText;
    report.NewXp = formatExperience(newXp, input.DecimalSeparator);
    return {std::move(report), {}};
}

} // namespace lapidor
