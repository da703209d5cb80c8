#include "calc/Calculation.h"

#include "calc/GemCatalogue.h"
#include "text/ExperienceFormat.h"
#include "text/Numbers.h"

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

using Failure = CalculationFailure;

// What is wrong with a text that should be a number, if anything.
std::optional<Failure::Problem> numberProblem(std::string_view text, std::optional<double> value)
{
    if (text.empty())
        return Failure::Problem::Empty;
    if (!value)
        return Failure::Problem::NotANumber;
    if (std::isinf(*value))
        return *value > 0 ? Failure::Problem::TooLarge : Failure::Problem::TooSmall;
    return std::nullopt;
}

Failure failure(Failure::Subject subject, Failure::Problem problem, std::string_view text)
{
    Failure failure;
    failure.subject = subject;
    failure.problem = problem;
    failure.text = text;
    return failure;
}

// The label of the level an experience has reached, as UTF-8.
std::string levelLabel(const LevelLookup& levels, double experience)
{
    const auto& table = levels.table();
    return toUtf8(table.label(levels.findLevelIndex(experience)), table.encoding());
}

// Fills the start values from the level typed, or says why that is not possible.
std::optional<Failure> startFromLevel(const LevelLookup& levels, std::string_view levelText, StartValues& start)
{
    const auto& table = levels.table();
    const auto value = wholeNumber(levelText);
    if (const auto problem = numberProblem(levelText, value))
        return failure(Failure::Subject::CurrentLevel, *problem, levelText);

    const auto level = readInt16(levelText);
    if (std::nearbyint(*value) < 1 || !level || static_cast<std::size_t>(*level) > table.thresholdCount()) {
        auto notListed = failure(
            Failure::Subject::CurrentLevel,
            std::nearbyint(*value) < 1 ? Failure::Problem::BelowFirstLevel : Failure::Problem::NotListed, levelText);
        notListed.level = std::nearbyint(*value);
        notListed.levelsListed = table.thresholdCount();
        notListed.levelsSource = levels.source();
        return notListed;
    }

    const auto threshold = toUtf8(table.threshold(*level - 1), table.encoding());
    const auto experience = wholeNumber(threshold);
    if (const auto problem = numberProblem(threshold, experience)) {
        auto unreadable = failure(Failure::Subject::LevelExperience, *problem, threshold);
        unreadable.level = *level;
        return unreadable;
    }

    start.experienceText = threshold;
    start.levelText = levelText;
    start.experience = *experience;
    return std::nullopt;
}

std::optional<Failure> startFromExperience(const LevelLookup& levels, std::string_view experienceText,
                                           StartValues& start)
{
    const auto experience = wholeNumber(experienceText);
    if (const auto problem = numberProblem(experienceText, experience))
        return failure(Failure::Subject::CurrentExperience, *problem, experienceText);

    start.experienceText = experienceText;
    start.levelText = levelLabel(levels, *experience);
    start.experience = *experience;
    return std::nullopt;
}

std::optional<Failure> sumGems(const std::array<std::string, 24>& countTexts, GemSums& sums)
{
    for (std::size_t i = 0; i < gemCatalogue.size(); ++i) {
        const auto& gem = gemCatalogue[i];
        const auto count = readInt16(countTexts[i]);
        if (!count) {
            const auto value = wholeNumber(countTexts[i]);
            // A number, but beyond what a count can be, unless something else is wrong.
            auto problem = numberProblem(countTexts[i], value);
            if (!problem)
                problem = *value > 0 ? Failure::Problem::TooLarge : Failure::Problem::TooSmall;
            auto wrongCount = failure(Failure::Subject::GemCount, *problem, countTexts[i]);
            wrongCount.gem = i;
            return wrongCount;
        }
        sums.gems += *count;
        (gem.state == GemState::Rough ? sums.roughXp : sums.finelyCutXp) += std::int64_t{*count} * gem.xpPerGem;
    }
    return std::nullopt;
}

} // namespace

CalculationResult calculateReport(const LevelLookup& levels, const CalculationInput& input)
{
    StartValues start;
    std::optional<Failure> failure;
    if (input.mode == StartMode::CurrentLevel)
        failure = startFromLevel(levels, input.levelText, start);
    else if (input.mode == StartMode::CurrentExperience)
        failure = startFromExperience(levels, input.experienceText, start);

    GemSums sums;
    if (!failure)
        failure = sumGems(input.countTexts, sums);
    if (failure)
        return {std::nullopt, std::move(failure)};

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
    return {std::move(report), std::nullopt};
}

} // namespace lapidor
