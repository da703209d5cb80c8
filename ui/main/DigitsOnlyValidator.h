#pragma once

#include <QValidator>

class QLineEdit;

namespace lapidor {

// Holds a line edit to ASCII digits whatever way text reaches it: typed,
// pasted (Ctrl+V, Shift+Insert, the context menu, a middle click), dropped
// or committed by an input method, since all of these go through the line
// edit's own insert, which asks its validator. The piece just put in is
// kept, blanks at its ends dropped, when it is all digits; otherwise the
// whole change is refused, which the line edit reports as inputRejected().
// A text set whole (setText(), as the program's rules and assistive
// technology do) takes the same rule: kept, blanks at its ends dropped, when
// it is all digits; otherwise the field keeps the text it had.
class DigitsOnlyValidator : public QValidator {
    Q_OBJECT

public:
    explicit DigitsOnlyValidator(QLineEdit* field);

    State validate(QString& text, int& cursor) const override;

private:
    QLineEdit* field_;
    QString before_; // the field's text before the change being validated
};

} // namespace lapidor
