#pragma once

#include <QColor>
#include <QLabel>

namespace lapidor {

// A label that reports a click (the left button pressed and released on
// it) and draws its text in the link colour, or in a lighter shade of it
// where the palette is too dark for the colour to read. It is a link for the
// keyboard too: a Tab stop that shows a focus frame, and Return, Enter or
// Space follow it as a click does; to assistive technology it is a link,
// named by its text, that can be pressed.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const QString& text, const QColor& linkColour, QWidget* parent);

    // The colour the text is drawn in on the current palette.
    QColor shownColour() const;

signals:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QColor linkColour_;
    bool pressed_ = false;
};

} // namespace lapidor
