#include "Calculation.h"

#include "ExperienceFormat.h"
#include "GemCatalogue.h"
#include "LevelScan.h"
#include "LevelsReader.h"
#include "Numbers.h"

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

// A text as a message shows it; a long paste is cut short.
std::string shortened(std::string_view text)
{
    constexpr std::size_t longest = 40;
    if (text.size() <= longest)
        return std::string(text);
    return std::string(text.substr(0, longest)) + "...";
}

std::string quoted(std::string_view text) { return "\"" + shortened(text) + "\""; }

std::string levelsListed(std::size_t count)
{
    if (count == 0)
        return "which lists no levels";
    return "which lists " + std::to_string(count) + (count == 1 ? " level" : " levels");
}

std::string fileName() { return std::string(levelsFileName); }

// Fills the start values from the level typed; returns why that is not
// possible, or nothing.
std::string startFromLevel(const LevelTable& table, std::string_view levelText, StartValues& start)
{
    const auto levelValue = WholeNumber(levelText);
    if (!levelValue)
        return "The current level is not a number.";

    const auto level = readInt16(levelText);
    const auto levelName = "Level " + (level ? std::to_string(*level) : shortened(levelText));
    if (level && *level < 1)
        return levelName + " is not in " + fileName() + ": levels start at 1.";
    if (!level || static_cast<std::size_t>(*level) > table.size())
        return levelName + " is not in " + fileName() + ", " + levelsListed(table.size()) + ".";

    const auto threshold = table.threshold(*level - 1);
    const auto experience = WholeNumber(threshold);
    const auto where = "The experience of level " + std::to_string(*level) + " in " + fileName();
    if (!experience)
        return where + " is not a number: " + quoted(threshold) + ".";
    if (!std::isfinite(*experience))
        return where + " is too large: " + quoted(threshold) + ".";

    start.experienceText = threshold;
    start.levelText = levelText;
    start.experience = *experience;
    return {};
}

std::string startFromExperience(const LevelTable& table, std::string_view experienceText, StartValues& start)
{
    const auto experience = WholeNumber(experienceText);
    if (!experience)
        return "The current experience is not a number.";
    if (!std::isfinite(*experience))
        return "The current experience is too large.";

    start.experienceText = experienceText;
    start.levelText = table.label(FindLevelIndex(table, *experience));
    start.experience = *experience;
    return {};
}

std::string_view gemName(const GemKind& gem)
{
    auto name = gem.caption;
    name.remove_suffix(1); // the caption's colon
    return name;
}

std::string sumGems(const std::array<std::string, 24>& countTexts, GemSums& sums)
{
    for (std::size_t i = 0; i < GemCatalogue.size(); ++i) {
        const auto& gem = GemCatalogue[i];
        const auto count = readInt16(countTexts[i]);
        if (!count) {
            const auto value = WholeNumber(countTexts[i]);
            const auto problem = !value ? "is not a number." : *value > 0 ? "is too large." : "is too small.";
            return "The count of " + std::string(gemName(gem)) + " " + problem;
        }
        const std::int64_t xp = std::int64_t{*count} * gem.xpPerUnit;
        sums.gems += *count;
        (gem.state == GemState::Rough ? sums.roughXp : sums.finelyCutXp) += xp;
    }
    return {};
}

} // namespace

CalculationResult CalculateReport(const LevelTable& table, const CalculationInput& input)
{
    StartValues start;
    std::string failure;
    if (input.Mode == StartMode::CurrentLevel)
        failure = startFromLevel(table, input.LevelText, start);
    else if (input.Mode == StartMode::CurrentExperience)
        failure = startFromExperience(table, input.ExperienceText, start);

    GemSums sums;
    if (failure.empty())
        failure = sumGems(input.CountTexts, sums);
    if (!failure.empty())
        return {std::nullopt, failure};

    const std::int64_t totalXp = sums.roughXp + sums.finelyCutXp;
    const double newXp = start.experience + static_cast<double>(totalXp);

    CalculationReport report;
    report.NewLevel = table.label(FindLevelIndex(table, newXp));
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
