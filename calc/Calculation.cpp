#include "calc/Calculation.h"

#include "calc/GemCatalogue.h"
#include "levels/LevelsReader.h"
#include "text/ExperienceFormat.h"
#include "text/Numbers.h"
#include "text/ShownText.h"

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

// The end of a sentence about a number beyond what its thing may hold.
std::string beyondRange(std::string_view text, double value)
{
    return std::string(value > 0 ? "is too large: " : "is too small: ") + quotedText(text) + ".";
}

// What is wrong with a text that should be a number: nothing, or the end of
// a sentence that names the thing it is, such as "is not a number: "12a".".
std::string numberProblem(std::string_view text, std::optional<double> value)
{
    if (text.empty())
        return "is empty.";
    if (!value)
        return "is not a number: " + quotedText(text) + ".";
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

// The label of the level an experience has reached, as UTF-8.
std::string levelLabel(const LevelLookup& levels, double experience)
{
    const auto& table = levels.table();
    return toUtf8(table.label(levels.findLevelIndex(experience)), table.encoding);
}

// Fills the start values from the level typed; returns why that is not
// possible, or nothing.
std::string startFromLevel(const LevelTable& table, std::string_view levelText, StartValues& start)
{
    const auto value = wholeNumber(levelText);
    if (auto problem = numberProblem(levelText, value); !problem.empty())
        return "The current level " + problem;

    const auto level = readInt16(levelText);
    const auto levelName = "Level " + formatExperience(std::nearbyint(*value), ".");
    if (std::nearbyint(*value) < 1)
        return levelName + " is not in " + levelsFile + ": levels start at 1.";
    if (!level || static_cast<std::size_t>(*level) > table.size())
        return levelName + " is not in " + levelsFile + ", " + levelsListed(table.size()) + ".";

    const auto threshold = toUtf8(table.threshold(*level - 1), table.encoding);
    const auto experience = wholeNumber(threshold);
    if (auto problem = numberProblem(threshold, experience); !problem.empty())
        return "The experience of level " + std::to_string(*level) + " in " + levelsFile + " " + problem;

    start.experienceText = threshold;
    start.levelText = levelText;
    start.experience = *experience;
    return {};
}

std::string startFromExperience(const LevelLookup& levels, std::string_view experienceText, StartValues& start)
{
    const auto experience = wholeNumber(experienceText);
    if (auto problem = numberProblem(experienceText, experience); !problem.empty())
        return "The current experience " + problem;

    start.experienceText = experienceText;
    start.levelText = levelLabel(levels, *experience);
    start.experience = *experience;
    return {};
}

std::string sumGems(const std::array<std::string, 24>& countTexts, GemSums& sums)
{
    for (std::size_t i = 0; i < gemCatalogue.size(); ++i) {
        const auto& gem = gemCatalogue[i];
        const auto count = readInt16(countTexts[i]);
        if (!count) {
            const auto value = wholeNumber(countTexts[i]);
            auto problem = numberProblem(countTexts[i], value);
            if (problem.empty()) // a number, but beyond what a count can be
                problem = beyondRange(countTexts[i], *value);
            return "The count of " + std::string(gem.name) + " " + problem;
        }
        sums.gems += *count;
        (gem.state == GemState::Rough ? sums.roughXp : sums.finelyCutXp) += std::int64_t{*count} * gem.xpPerGem;
    }
    return {};
}

} // namespace

CalculationResult calculateReport(const LevelLookup& levels, const CalculationInput& input)
{
    StartValues start;
    std::string failure;
    if (input.mode == StartMode::CurrentLevel)
        failure = startFromLevel(levels.table(), input.levelText, start);
    else if (input.mode == StartMode::CurrentExperience)
        failure = startFromExperience(levels, input.experienceText, start);

    GemSums sums;
    if (failure.empty())
        failure = sumGems(input.countTexts, sums);
    if (!failure.empty())
        return {std::nullopt, failure};

    const std::int64_t totalXp = sums.roughXp + sums.finelyCutXp;
    const double newXp = start.experience + static_cast<double>(totalXp);

    CalculationReport report;
    report.newLevel = levelLabel(levels, newXp);
    report.totalGems = std::to_string(sums.gems);
    report.totalXpFromRoughs = std::to_string(sums.roughXp);
    report.totalXpFromFinelyCuts = std::to_string(sums.finelyCutXp);
    report.totalXp = std::to_string(totalXp);
    report.oldXp = start.experienceText;
    report.oldLevel = start.levelText;
    report.newXp = formatExperience(newXp, input.decimalSeparator);
    return {std::move(report), {}};
}

} // namespace lapidor
