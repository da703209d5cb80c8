#include "ui/main/ReportLabel.h"

#include "ui/ReadableColour.h"

#include <QEvent>

namespace lapidor {

ReportLabel::ReportLabel(const QString& caption, QWidget* parent)
    : QLabel(caption, parent)
{
}

void ReportLabel::setOutOfDate(bool outOfDate)
{
    if (outOfDate == outOfDate_)
        return;
    outOfDate_ = outOfDate;
    takeColour();
    setAccessibleDescription(outOfDate ? tr("Out of date: from before the last change. Press Calculate to update it.")
                                       : QString());
}

// The dimmed colour follows the frame's palette, as a desktop's switch to
// a dark scheme changes it.
void ReportLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && outOfDate_)
        takeColour();
}

void ReportLabel::takeColour()
{
    if (!outOfDate_) {
        setPalette(QPalette()); // every colour from the frame again
        return;
    }
    const QPalette frame = parentWidget()->palette();
    const QColor dimmed = dimmedColour(frame.color(QPalette::WindowText), frame.color(QPalette::Window));
    if (palette().color(QPalette::WindowText) == dimmed && testAttribute(Qt::WA_SetPalette))
        return; // set already: this change was the label's own
    QPalette own;
    own.setColor(QPalette::WindowText, dimmed); // only this colour: the others follow the frame
    setPalette(own);
}

} // namespace lapidor
