#include "ui/words/CalculationFailureText.h"

#include "text/ExperienceFormat.h"
#include "ui/words/GemNames.h"
#include "ui/words/QuotedText.h"

namespace lapidor {

using Problem = CalculationFailure::Problem;

QString CalculationFailureText::describe(const CalculationFailure& failure)
{
    const QString quoted = quotedOutsideText(failure.text);
    switch (failure.subject) {
    case CalculationFailure::Subject::CurrentLevel:
        return currentLevel(failure, quoted);
    case CalculationFailure::Subject::CurrentExperience:
        return currentExperience(failure, quoted);
    case CalculationFailure::Subject::LevelExperience:
        return levelExperience(failure, quoted);
    case CalculationFailure::Subject::GemCount:
        return gemCount(failure, quoted);
    }
    return {};
}

// The window lets only digits into its fields, refills an emptied one and
// caps each value, so a typed text that is empty, not a number or beyond
// its range cannot reach the calculation from there: those cases share
// their words.
QString CalculationFailureText::currentLevel(const CalculationFailure& failure, const QString& quoted)
{
    const QString level = QString::fromStdString(formatExperience(failure.level, "."));
    switch (failure.problem) {
    case Problem::Empty:
    case Problem::NotANumber:
    case Problem::TooLarge:
    case Problem::TooSmall:
        return tr("The current level is not a number Lapidor can use: %1.").arg(quoted);
    case Problem::BelowFirstLevel:
        return tr("Level %1 is not in levels.txt: levels start at 1.").arg(level);
    case Problem::NotListed:
        switch (failure.levelsSource) {
        case LevelsSource::NoFile:
            return tr("Level %1 cannot be looked up: there is no levels.txt.").arg(level);
        case LevelsSource::UnreadableFile:
            return tr("Level %1 cannot be looked up: levels.txt could not be read.").arg(level);
        case LevelsSource::File:
            break;
        }
        if (failure.levelsListed == 0)
            return tr("Level %1 is not in levels.txt, which lists no levels.").arg(level);
        if (failure.levelsListed == 1)
            return tr("Level %1 is not in levels.txt, which lists 1 level.").arg(level);
        return tr("Level %1 is not in levels.txt, which lists %2 levels.")
            .arg(level, QString::number(failure.levelsListed));
    }
    return {};
}

QString CalculationFailureText::currentExperience(const CalculationFailure&, const QString& quoted)
{
    return tr("The current experience is not a number Lapidor can use: %1.").arg(quoted);
}

// The levels file never gives an empty XP value: one that is blanks only
// is not a number.
QString CalculationFailureText::levelExperience(const CalculationFailure& failure, const QString& quoted)
{
    const QString level = QString::fromStdString(formatExperience(failure.level, "."));
    switch (failure.problem) {
    case Problem::Empty:
    case Problem::NotANumber:
    case Problem::BelowFirstLevel:
    case Problem::NotListed:
        break;
    case Problem::TooLarge:
        return tr("The experience of level %1 in levels.txt is too large: %2.").arg(level, quoted);
    case Problem::TooSmall:
        return tr("The experience of level %1 in levels.txt is too small: %2.").arg(level, quoted);
    }
    return tr("The experience of level %1 in levels.txt is not a number: %2.").arg(level, quoted);
}

QString CalculationFailureText::gemCount(const CalculationFailure& failure, const QString& quoted)
{
    return tr("The count of %1 is not a number Lapidor can use: %2.").arg(gemName(failure.gem), quoted);
}

} // namespace lapidor
