#include "ui/words/CalculationFailureText.h"

#include "text/ExperienceFormat.h"
#include "text/ShownText.h"
#include "ui/words/GemNames.h"

namespace lapidor {

using Problem = CalculationFailure::Problem;

QString CalculationFailureText::describe(const CalculationFailure& failure)
{
    const QString quoted = QString::fromStdString(quotedText(failure.text));
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

QString CalculationFailureText::currentLevel(const CalculationFailure& failure, const QString& quoted)
{
    const QString level = QString::fromStdString(formatExperience(failure.level, "."));
    switch (failure.problem) {
    case Problem::Empty:
        return tr("The current level is empty.");
    case Problem::NotANumber:
        return tr("The current level is not a number: %1.").arg(quoted);
    case Problem::TooLarge:
        return tr("The current level is too large: %1.").arg(quoted);
    case Problem::TooSmall:
        return tr("The current level is too small: %1.").arg(quoted);
    case Problem::BelowFirstLevel:
        return tr("Level %1 is not in levels.txt: levels start at 1.").arg(level);
    case Problem::NotListed:
        if (failure.levelsListed == 0)
            return tr("Level %1 is not in levels.txt, which lists no levels.").arg(level);
        if (failure.levelsListed == 1)
            return tr("Level %1 is not in levels.txt, which lists 1 level.").arg(level);
        return tr("Level %1 is not in levels.txt, which lists %2 levels.")
            .arg(level, QString::number(failure.levelsListed));
    }
    return {};
}

QString CalculationFailureText::currentExperience(const CalculationFailure& failure, const QString& quoted)
{
    switch (failure.problem) {
    case Problem::Empty:
        return tr("The current experience is empty.");
    case Problem::NotANumber:
        return tr("The current experience is not a number: %1.").arg(quoted);
    case Problem::TooLarge:
        return tr("The current experience is too large: %1.").arg(quoted);
    case Problem::TooSmall:
        return tr("The current experience is too small: %1.").arg(quoted);
    case Problem::BelowFirstLevel:
    case Problem::NotListed:
        break;
    }
    return {};
}

QString CalculationFailureText::levelExperience(const CalculationFailure& failure, const QString& quoted)
{
    const QString level = QString::fromStdString(formatExperience(failure.level, "."));
    switch (failure.problem) {
    case Problem::Empty:
        return tr("The experience of level %1 in levels.txt is empty.").arg(level);
    case Problem::NotANumber:
        return tr("The experience of level %1 in levels.txt is not a number: %2.").arg(level, quoted);
    case Problem::TooLarge:
        return tr("The experience of level %1 in levels.txt is too large: %2.").arg(level, quoted);
    case Problem::TooSmall:
        return tr("The experience of level %1 in levels.txt is too small: %2.").arg(level, quoted);
    case Problem::BelowFirstLevel:
    case Problem::NotListed:
        break;
    }
    return {};
}

QString CalculationFailureText::gemCount(const CalculationFailure& failure, const QString& quoted)
{
    const QString gem = gemName(failure.gem);
    switch (failure.problem) {
    case Problem::Empty:
        return tr("The count of %1 is empty.").arg(gem);
    case Problem::NotANumber:
        return tr("The count of %1 is not a number: %2.").arg(gem, quoted);
    case Problem::TooLarge:
        return tr("The count of %1 is too large: %2.").arg(gem, quoted);
    case Problem::TooSmall:
        return tr("The count of %1 is too small: %2.").arg(gem, quoted);
    case Problem::BelowFirstLevel:
    case Problem::NotListed:
        break;
    }
    return {};
}

} // namespace lapidor
