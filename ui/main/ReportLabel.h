#pragma once

#include <QLabel>

namespace lapidor {

// One line of the report. Once the entries differ from those it was worked
// out from, it is out of date: its text is dimmed, yet stays readable on
// any palette, and a screen reader hears that it is from before the last
// change.
class ReportLabel : public QLabel {
    Q_OBJECT

public:
    ReportLabel(const QString& caption, QWidget* parent);

    void setOutOfDate(bool outOfDate);
    bool isOutOfDate() const { return outOfDate_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void takeColour();

    bool outOfDate_ = false;
};

} // namespace lapidor
