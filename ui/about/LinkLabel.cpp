#include "ui/about/LinkLabel.h"

#include "ui/ReadableColour.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace lapidor {

LinkLabel::LinkLabel(const QString& text, const QColor& linkColour, QWidget* parent)
    : QLabel(text, parent)
    , linkColour_(linkColour)
{
}

QColor LinkLabel::shownColour() const
{
    return readableColour(linkColour_, palette());
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

// Drawn as a plain label draws its text, in the colour chosen for the
// palette at hand, so that a change of palette repaints it right.
void LinkLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!painter.isActive()) // no surface to paint on: a window far too large for memory
        return;
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, shownColour());
    style()->drawItemText(&painter, contentsRect(), int(QStyle::visualAlignment(layoutDirection(), alignment())),
                          palette, isEnabled(), text(), QPalette::WindowText);
}

} // namespace lapidor
