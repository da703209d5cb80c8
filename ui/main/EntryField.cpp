#include "ui/main/EntryField.h"

#include "ui/main/DigitEntry.h"
#include "ui/main/DigitsOnlyValidator.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

namespace lapidor {

EntryField::EntryField(const QString& text, const EntryRule& rule, QWidget* parent)
    : QLineEdit(text, parent)
    , rule_(rule)
{
    // Far past every rule's limit, and small enough that a paste is cut to
    // it before it is checked or laid out: 10 MB of digits would freeze the
    // window for seconds.
    setMaxLength(1000);
    setValidator(new DigitsOnlyValidator(this));
    connect(this, &QLineEdit::inputRejected, this, &EntryField::sayDigitsOnly);
    // A replacement changes the text again and runs the rule once more,
    // which then keeps it.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& changed) {
        const QString kept = rule_.onChange(changed);
        if (kept != changed)
            setText(kept);
    });
}

void EntryField::finishEditing()
{
    const QString kept = rule_.onLeave(text());
    if (kept != text())
        setText(kept);
}

void EntryField::keyPressEvent(QKeyEvent* event)
{
    switch (keyVerdict(event->key(), event->modifiers(), event->text())) {
    case KeyVerdict::Pass:
        QLineEdit::keyPressEvent(event);
        return;
    case KeyVerdict::Refuse:
        sayDigitsOnly();
        return;
    case KeyVerdict::MoveFocus:
        // Tab is pressed once this key event is over, so the focus moves on
        // exactly as it would for a real Tab.
        QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        return;
    }
}

void EntryField::focusOutEvent(QFocusEvent* event)
{
    // Opening a menu or going to another window is not leaving the field.
    const auto reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason)
        finishEditing();
    QLineEdit::focusOutEvent(event);
}

void EntryField::paintEvent(QPaintEvent* event)
{
    // The line edit paints without asking whether it has a surface to paint
    // on, which a window far too large for memory does not have.
    if (!QPainter(this).isActive())
        return;
    QLineEdit::paintEvent(event);
}

void EntryField::sayDigitsOnly()
{
    QToolTip::showText(mapToGlobal(QPoint(0, height())), digitsOnlyReason(), this);
}

} // namespace lapidor
