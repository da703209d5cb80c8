#pragma once

#include <QWidget>

namespace lapidor {

// A plain horizontal line in the palette's text colour, as tall as the
// widget. It fills its rectangle rather than drawing a one-pixel line, so
// that it covers a whole device pixel at any scale factor: a thin line at a
// fraction of a pixel (at 1.25 or 1.5) would be drawn nowhere.
class SeparatorLine : public QWidget {
    Q_OBJECT

public:
    explicit SeparatorLine(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace lapidor
