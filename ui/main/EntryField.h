#pragma once

#include "ui/main/EntryRules.h"

#include <QLineEdit>

namespace lapidor {

// One of the main window's entry fields. It takes ASCII digits only, and
// says so at the field when anything else is typed or put in; Enter moves
// the focus on as Tab does; its rule keeps the text within its limits after
// every change; and a field the player empties waits for him until he
// leaves it, then is refilled.
class EntryField : public QLineEdit {
    Q_OBJECT

public:
    EntryField(const QString& text, const EntryRule& rule, QWidget* parent);

    // Refills the field if it was left empty, or holds what its rule allows
    // only while it is edited. The field does this itself when the focus
    // moves to another control; Calculate asks for it too.
    void finishEditing();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void sayDigitsOnly();

    const EntryRule rule_;
};

} // namespace lapidor
