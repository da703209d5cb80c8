#include "ui/main/SeparatorLine.h"

#include <QPainter>

namespace lapidor {

SeparatorLine::SeparatorLine(QWidget* parent)
    : QWidget(parent)
{
}

void SeparatorLine::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), palette().color(QPalette::WindowText));
}

} // namespace lapidor
