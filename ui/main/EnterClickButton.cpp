#include "ui/main/EnterClickButton.h"

#include <QKeyEvent>
#include <QPainter>

namespace lapidor {

void EnterClickButton::keyPressEvent(QKeyEvent* event)
{
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void EnterClickButton::paintEvent(QPaintEvent* event)
{
    // With no surface to paint on (a window far too large for memory), the
    // style would still draw the button into an image of its full size,
    // which takes seconds there.
    if (!QPainter(this).isActive())
        return;
    QPushButton::paintEvent(event);
}

} // namespace lapidor
