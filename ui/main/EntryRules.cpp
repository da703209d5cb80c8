#include "ui/main/EntryRules.h"

#include "text/Numbers.h"

#include <algorithm>
#include <cmath>

namespace lapidor {

namespace {

constexpr double largestCount = 9999;
constexpr double largestExperience = 248292513235.0;
constexpr double largestLevel = 200;

const QString largestCountText = QString::number(largestCount);
const QString largestExperienceText = QString::number(largestExperience, 'f', 0);
const QString largestLevelText = QString::number(largestLevel);

// The text, or the limit's text when its value lies above the limit. A text
// that is not a number stays; the calculation tells the player. One too
// large for a double reads as infinity, above every limit.
QString capped(const QString& text, double limit, const QString& limitText, double (*whole)(double))
{
    const auto value = wholeNumber(text.toStdString());
    return value && whole(*value) > limit ? limitText : text;
}

QString cappedCount(const QString& text)
{
    return capped(text, largestCount, largestCountText, std::nearbyint);
}

QString cappedExperience(const QString& text)
{
    return capped(text, largestExperience, largestExperienceText, std::floor);
}

// Rounded as the level is read, so that a level beyond 32767 (a digit
// typed before "0200") also counts as above 200.
QString cappedLevel(const QString& text)
{
    return capped(text, largestLevel, largestLevelText, std::nearbyint);
}

// "0400" reads as 400 and is shown so; "000" as "0". Only digits are
// touched: a text the calculation will refuse stays as it is.
QString withoutLeadingZeros(const QString& text)
{
    if (!std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return text;
    qsizetype first = 0;
    while (first + 1 < text.size() && text[first] == u'0')
        ++first;
    return text.mid(first);
}

QString zeroWhenEmpty(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("0") : withoutLeadingZeros(text);
}

QString levelOneWhenEmptyOrZero(const QString& text)
{
    const QString level = withoutLeadingZeros(text);
    return level.isEmpty() || level == QLatin1String("0") ? QStringLiteral("1") : level;
}

} // namespace

const EntryRule gemCountRule{cappedCount, zeroWhenEmpty};
const EntryRule experienceRule{cappedExperience, zeroWhenEmpty};
const EntryRule levelRule{cappedLevel, levelOneWhenEmptyOrZero};

} // namespace lapidor
