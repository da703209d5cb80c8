#include "ui/main/TitledFrame.h"

#include "ui/ReadableColour.h"

#include <QStyleOptionGroupBox>
#include <QStylePainter>

namespace lapidor {

TitledFrame::TitledFrame(const QString& caption, const QColor& captionColour, QWidget* parent)
    : QGroupBox(caption, parent)
    , captionColour_(captionColour)
{
}

QColor TitledFrame::shownCaptionColour() const
{
    return readableColour(captionColour_, palette());
}

void TitledFrame::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    if (!painter.isActive()) // no surface to paint on: a window far too large for memory
        return;
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    // Styles take the caption colour either from the option or from the
    // palette's window text; set both, for this drawing only.
    const QColor caption = shownCaptionColour();
    option.textColor = caption;
    option.palette.setColor(QPalette::WindowText, caption);
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

} // namespace lapidor
