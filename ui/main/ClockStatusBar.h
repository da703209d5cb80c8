#pragma once

#include <QStatusBar>

class QLabel;
class QTimer;

namespace lapidor {

// A time format with its seconds, and the separator before them, taken out:
// "HH:mm:ss" gives "HH:mm", "h:mm:ss AP" gives "h:mm AP".
QString withoutSeconds(QString timeFormat);

// A status bar of three panels: a fixed text, today's date and the time of
// day, both in the user's short forms. It keeps the date and time current
// by itself; the time panel takes all the width the others leave.
class ClockStatusBar : public QStatusBar {
    Q_OBJECT

public:
    ClockStatusBar(const QString& text, int panelWidth, QWidget* parent = nullptr);

    QString panelText(int panel) const; // panels counted from 1, left to right

private:
    void showCurrentTime();

    QLabel* textPanel_;
    QLabel* datePanel_;
    QLabel* timePanel_;
    QTimer* minuteTimer_;
};

} // namespace lapidor
