#pragma once

#include <QColor>
#include <QFrame>
#include <QPalette>

namespace lapidor {

// One line of an etched rule, filled with its design colour; on a dark
// palette it takes the palette's own role instead, so that the rule does
// not show as a bright stripe.
class RuleLine : public QFrame {
    Q_OBJECT

public:
    RuleLine(const QColor& design, QPalette::ColorRole onDarkPalette, QWidget* parent);

    QColor shownColour() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor design_;
    QPalette::ColorRole onDarkPalette_;
};

} // namespace lapidor
