#include "ui/main/DigitsOnlyValidator.h"

#include "ui/main/DigitEntry.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>

namespace lapidor {

namespace {

// Qt tells assistive technology that a text set whole went in as it was
// given, even where the field kept another; a screen reader that follows
// the field's text by such news would believe it. Once that news is out,
// this tells the text the field holds.
void tellAssistiveTechnology(QLineEdit* field, const QString& given)
{
    if (!QAccessible::isActive())
        return;
    QTimer::singleShot(0, field, [field, given] {
        QAccessibleTextUpdateEvent held(field, 0, given, field->text());
        held.setCursorPosition(field->cursorPosition());
        QAccessible::updateAccessibility(&held);
    });
}

} // namespace

DigitsOnlyValidator::DigitsOnlyValidator(QLineEdit* field)
    : QValidator(field)
    , field_(field)
    , before_(field->text())
{
    connect(field, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
}

QValidator::State DigitsOnlyValidator::validate(QString& text, int& cursor) const
{
    // The line edit starts its undo history afresh when a text is set
    // (by the program's own rules, by other code or by assistive
    // technology), and adds to it with every edit; so an edit is under way
    // exactly when there is something to undo. A set text is taken whole:
    // all digits, blanks at its ends dropped, or else the field keeps the
    // text it had.
    if (!field_->isUndoAvailable()) {
        const auto kept = digitsOnly(text);
        if (kept != text) {
            tellAssistiveTechnology(field_, text);
            text = kept ? *kept : before_;
            cursor = int(text.size());
        }
        return Acceptable;
    }
    if (digitsOnly(text) == text)
        return Acceptable;

    // The piece just put in ends at the cursor; before it and after it the
    // text is as it was. (Where the piece begins is unsure only among equal
    // characters, which are digits, so the piece is found whole.)
    const QString after = text.mid(cursor);
    if (!QStringView(before_).endsWith(after))
        return Invalid;
    const qsizetype limit = std::min<qsizetype>(cursor, before_.size() - after.size());
    qsizetype start = 0;
    while (start < limit && before_[start] == text[start])
        ++start;
    const auto kept = digitsOnly(text.mid(start, cursor - start));
    if (!kept)
        return Invalid;
    text = text.left(start) + *kept + after;
    cursor = int(start + kept->size());
    return Acceptable;
}

} // namespace lapidor
