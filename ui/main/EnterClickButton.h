#pragma once

#include <QPushButton>

namespace lapidor {

// A push button that Return and keypad Enter press while it has the focus,
// as Space does, without being the window's default button: Enter typed
// elsewhere in the window does not press it.
class EnterClickButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace lapidor
