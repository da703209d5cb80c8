#include "ui/main/EntryRules.h"

#include "text/Numbers.h"

#include <cmath>

namespace lapidor {

namespace {
constexpr int largestCount = 9999;
constexpr double largestExperience = 248292513235.0;
constexpr int largestLevel = 200;

const QString largestCountText = QString::number(largestCount);
const QString largestExperienceText = QString::number(largestExperience, 'f', 0);
const QString largestLevelText = QString::number(largestLevel);
} // namespace

QString clampGemCount(const QString& text)
{
    if (text.isEmpty())
        return QStringLiteral("1");
    // Counted in characters, not by value: leading zeros count too.
    if (text.size() > largestCountText.size())
        return largestCountText;
    return text;
}

QString clampExperience(const QString& text)
{
    if (text.isEmpty())
        return QStringLiteral("0");
    // A text that is not a number stays; the calculation tells the user.
    // One too large for a double reads as infinity, above the cap.
    const auto value = wholeNumber(text.toStdString());
    if (value && std::floor(*value) > largestExperience)
        return largestExperienceText;
    return text;
}

QString clampLevel(const QString& text)
{
    if (text.isEmpty() || text == QLatin1String("0"))
        return QStringLiteral("1");
    // Compared by value rather than as a 16-bit number, so that a level
    // beyond 32767 (a digit typed before "0200") also counts as above 200.
    const auto value = wholeNumber(text.toStdString());
    if (value && std::nearbyint(*value) > largestLevel)
        return largestLevelText;
    return text;
}

} // namespace lapidor
