#include "ui/main/ClockStatusBar.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QTimer>

namespace lapidor {

namespace {

QLabel* addPanel(QStatusBar* bar, const QString& name, int width, int stretch)
{
    auto* panel = new QLabel(bar);
    panel->setObjectName(name);
    panel->setTextFormat(Qt::PlainText);
    panel->setMinimumWidth(width);
    if (stretch == 0)
        panel->setFixedWidth(width);
    // Permanent, so that no status message can hide the panels.
    bar->addPermanentWidget(panel, stretch);
    return panel;
}

} // namespace

QString withoutSeconds(QString timeFormat)
{
    static const QRegularExpression seconds(QStringLiteral("[:.]?s+"));
    return timeFormat.remove(seconds);
}

ClockStatusBar::ClockStatusBar(const QString& text, int panelWidth, QWidget* parent)
    : QStatusBar(parent)
    , textPanel_(addPanel(this, QStringLiteral("Panel1"), panelWidth, 0))
    , datePanel_(addPanel(this, QStringLiteral("Panel2"), panelWidth, 0))
    , timePanel_(addPanel(this, QStringLiteral("Panel3"), panelWidth, 1))
    , minuteTimer_(new QTimer(this))
{
    textPanel_->setText(text);
    minuteTimer_->setSingleShot(true);
    minuteTimer_->setTimerType(Qt::PreciseTimer);
    connect(minuteTimer_, &QTimer::timeout, this, &ClockStatusBar::showCurrentTime);
    showCurrentTime();
}

QString ClockStatusBar::panelText(int panel) const
{
    const QLabel* panels[] = {textPanel_, datePanel_, timePanel_};
    return panel >= 1 && panel <= 3 ? panels[panel - 1]->text() : QString();
}

void ClockStatusBar::showCurrentTime()
{
    const auto now = QDateTime::currentDateTime();
    const QLocale locale;
    datePanel_->setText(locale.toString(now.date(), QLocale::ShortFormat));
    // Some short forms, such as the C locale's, include seconds; the panel
    // shows hours and minutes only.
    timePanel_->setText(locale.toString(now.time(), withoutSeconds(locale.timeFormat(QLocale::ShortFormat))));
    // Wake just after the next minute begins.
    const int msIntoMinute = now.time().msecsSinceStartOfDay() % 60000;
    minuteTimer_->start(60000 - msIntoMinute + 50);
}

} // namespace lapidor
