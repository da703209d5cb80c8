#include "ui/main/DigitEntry.h"

#include <QCoreApplication>

#include <algorithm>

namespace lapidor {

namespace {

bool isAsciiDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool isControlCode(QChar c)
{
    return c.category() == QChar::Other_Control;
}

bool isBlankOrLineBreak(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == QChar(0x85)
        || c == QChar(0x2028) || c == QChar(0x2029);
}

} // namespace

KeyVerdict keyVerdict(int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return KeyVerdict::MoveFocus;
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return KeyVerdict::Pass;
    if (std::all_of(text.begin(), text.end(), isControlCode) || isAsciiDigits(text))
        return KeyVerdict::Pass;
    return KeyVerdict::Refuse;
}

std::optional<QString> digitsOnly(const QString& piece)
{
    qsizetype first = 0, end = piece.size();
    while (first < end && isBlankOrLineBreak(piece[first]))
        ++first;
    while (end > first && isBlankOrLineBreak(piece[end - 1]))
        --end;
    const QStringView kept = QStringView(piece).mid(first, end - first);
    if (!isAsciiDigits(kept))
        return std::nullopt;
    return kept.toString();
}

QString digitsOnlyReason()
{
    return QCoreApplication::translate("lapidor::EntryField", "Only the digits 0 to 9 can be entered here.");
}

} // namespace lapidor
