#include "ui/main/DigitsOnlyValidator.h"

#include "ui/main/DigitEntry.h"

#include <QLineEdit>

#include <algorithm>

namespace lapidor {

DigitsOnlyValidator::DigitsOnlyValidator(QLineEdit* field)
    : QValidator(field)
    , field_(field)
    , before_(field->text())
{
    connect(field, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
}

QValidator::State DigitsOnlyValidator::validate(QString& text, int& cursor) const
{
    // The line edit starts its undo history afresh when the program sets a
    // text, and adds to it with every edit; so an edit is under way exactly
    // when there is something to undo.
    if (!field_->isUndoAvailable() || digitsOnly(text) == text)
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
