#pragma once

#include <QColor>
#include <QLabel>

namespace lapidor {

// A label that reports a click (the left button pressed and released on
// it) and draws its text in the link colour, or in a lighter shade of it
// where the palette is too dark for the colour to read.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const QString& text, const QColor& linkColour, QWidget* parent);

    // The colour the text is drawn in on the current palette.
    QColor shownColour() const;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QColor linkColour_;
    bool pressed_ = false;
};

} // namespace lapidor
