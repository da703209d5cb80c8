#pragma once

#include <QWidget>

namespace lapidor {

// Something a screen reader says at once, without the focus moving. The
// widget draws nothing and takes no input; to assistive technology it is a
// notification, which appears afresh with each text it is given. Screen
// readers speak a notification that appears wherever the focus is.
class SpokenNotice : public QWidget {
    Q_OBJECT

public:
    explicit SpokenNotice(QWidget* parent);

    void say(const QString& text);
};

} // namespace lapidor
