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
    QPainter(this).fillRect(rect(), shownColour());
}

} // namespace lapidor
