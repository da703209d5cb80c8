#include "ui/about/RuleLine.h"

#include "ui/ReadableColour.h"

#include <QPainter>

namespace lapidor {

RuleLine::RuleLine(const QColor& design, QPalette::ColorRole onDarkPalette, QWidget* parent)
    : QFrame(parent)
    , design_(design)
    , onDarkPalette_(onDarkPalette)
{
}

QColor RuleLine::shownColour() const
{
    return isDarkPalette(palette()) ? palette().color(onDarkPalette_) : design_;
}

void RuleLine::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!painter.isActive()) // no surface to paint on: a window far too large for memory
        return;
    painter.fillRect(rect(), shownColour());
}

} // namespace lapidor
