#include "ui/main/EntryRules.h"

#include "calc/Numbers.h"

#include <cmath>

namespace lapidor {

namespace {
const QString largestCount = QStringLiteral("9999");
const QString largestExperience = QStringLiteral("248292513235");
const QString largestLevel = QStringLiteral("200");
} // namespace

QString clampGemCount(const QString& text)
{
    if (text.isEmpty())
        return QStringLiteral("1");
    if (text.size() > largestCount.size())
        return largestCount;
    return text;
}

QString clampExperience(const QString& text)
{
    if (text.isEmpty())
        return QStringLiteral("0");
    // A text that is not a number stays; the calculation tells the user.
    // One too large for a double reads as infinity, above the cap.
    const auto value = WholeNumber(text.toStdString());
    if (value && std::floor(*value) > 248292513235.0)
        return largestExperience;
    return text;
}

QString clampLevel(const QString& text)
{
    if (text.isEmpty() || text == QLatin1String("0"))
        return QStringLiteral("1");
    // Compared by value rather than as a 16-bit number, so that a level
    // beyond 32767 (a digit typed before "0200") also counts as above 200.
    const auto value = WholeNumber(text.toStdString());
    if (value && std::nearbyint(*value) > 200.0)
        return largestLevel;
    return text;
}

} // namespace lapidor
