#include "ui/main/ClockStatusBar.h"

#include <QDateTime>
#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>

namespace lapidor {

namespace {

// The bar lays its panels out with 3 pixels above them and 2 below.
constexpr int spacingAroundPanels = 5;

// A panel at least `width` wide and as wide as its text needs; the layout
// measures it again when its text or font changes.
QLabel* addPanel(QStatusBar* bar, const QString& name, int width, int stretch)
{
    auto* panel = new QLabel(bar);
    panel->setObjectName(name);
    panel->setTextFormat(Qt::PlainText);
    panel->setMinimumWidth(width);
    if (stretch == 0)
        panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
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

ClockStatusBar::ClockStatusBar(const QString& text, int panelWidth, int designHeight, QWidget* parent, Clock clock)
    : QStatusBar(parent)
    , textPanel_(addPanel(this, QStringLiteral("Panel1"), panelWidth, 0))
    , datePanel_(addPanel(this, QStringLiteral("Panel2"), panelWidth, 0))
    , timePanel_(addPanel(this, QStringLiteral("Panel3"), panelWidth, 1))
    , minuteTimer_(new QTimer(this))
    , clock_(std::move(clock))
    , designHeight_(designHeight)
{
    textPanel_->setText(text);
    minuteTimer_->setSingleShot(true);
    minuteTimer_->setTimerType(Qt::PreciseTimer);
    connect(minuteTimer_, &QTimer::timeout, this, &ClockStatusBar::showCurrentTime);
    showCurrentTime();
    fitHeight();
}

void ClockStatusBar::changeEvent(QEvent* event)
{
    QStatusBar::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitHeight();
}

void ClockStatusBar::fitHeight()
{
    int textHeight = 0;
    for (const QLabel* panel : {textPanel_, datePanel_, timePanel_})
        textHeight = std::max(textHeight, panel->sizeHint().height());
    const int fitted = std::max(designHeight_, textHeight + spacingAroundPanels);
    if (fitted == minimumHeight() && fitted == maximumHeight())
        return;
    setFixedHeight(fitted);
    emit heightFitted();
}

QString ClockStatusBar::panelText(int panel) const
{
    const QLabel* panels[] = {textPanel_, datePanel_, timePanel_};
    return panel >= 1 && panel <= 3 ? panels[panel - 1]->text() : QString();
}

void ClockStatusBar::showCurrentTime()
{
    const auto now = clock_();
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
