#include "ui/main/TitledFrame.h"

#include <QStyleOptionGroupBox>
#include <QStylePainter>

namespace lapidor {

TitledFrame::TitledFrame(const QString& caption, const QColor& captionColour, QWidget* parent)
    : QGroupBox(caption, parent)
    , captionColour_(captionColour)
{
}

void TitledFrame::paintEvent(QPaintEvent*)
{
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    // Styles take the caption colour either from the option or from the
    // palette's window text; set both, for this drawing only.
    option.textColor = captionColour_;
    option.palette.setColor(QPalette::WindowText, captionColour_);
    QStylePainter painter(this);
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

} // namespace lapidor
