#pragma once

#include <QDateTime>
#include <QStatusBar>

#include <functional>

class QLabel;
class QTimer;

namespace lapidor {

// A time format with its seconds, and the separator before them, taken out:
// "HH:mm:ss" gives "HH:mm", "h:mm:ss AP" gives "h:mm AP".
QString withoutSeconds(QString timeFormat);

// A status bar of three panels: a fixed text, today's date and the time of
// day, both in the user's short forms. It keeps the date and time current
// by itself; the time panel takes all the width the others leave. Panels
// are at least their design width and as wide as their text needs, and
// the bar at least its design height and as high as its font needs.
class ClockStatusBar : public QStatusBar {
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    ClockStatusBar(const QString& text, int panelWidth, int designHeight, QWidget* parent = nullptr,
                   Clock clock = &QDateTime::currentDateTime);

    QString panelText(int panel) const; // panels counted from 1, left to right

signals:
    // The bar's height changed with its font.
    void heightFitted();

protected:
    void changeEvent(QEvent* event) override;

private:
    void showCurrentTime();
    void fitHeight();

    QLabel* textPanel_;
    QLabel* datePanel_;
    QLabel* timePanel_;
    QTimer* minuteTimer_;
    Clock clock_;
    int designHeight_;
};

} // namespace lapidor
