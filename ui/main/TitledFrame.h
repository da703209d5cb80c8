#pragma once

#include <QColor>
#include <QGroupBox>

namespace lapidor {

// A frame whose caption is drawn in its own colour, or in a lighter shade
// of it where the palette is too dark for the colour to read. Only the
// caption takes the colour: the controls inside keep theirs.
class TitledFrame : public QGroupBox {
    Q_OBJECT

public:
    TitledFrame(const QString& caption, const QColor& captionColour, QWidget* parent);

    // The colour the caption is drawn in on the current palette.
    QColor shownCaptionColour() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor captionColour_;
};

} // namespace lapidor
