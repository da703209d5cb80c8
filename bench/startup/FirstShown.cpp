#include "bench/startup/FirstShown.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>

#include <cstdio>

namespace {

long long residentKibibytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression rss(QStringLiteral("VmRSS:\\s+(\\d+)"));
    const auto match = rss.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

// Watches the whole program: the window's first paint, and before it the
// timer events by which list views lay out their rows, a batch at a time.
class FirstPaintWatcher : public QObject {
public:
    explicit FirstPaintWatcher(QWidget& window)
        : window_(window)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (seen_)
            return false;
        if (event->type() == QEvent::Timer && qobject_cast<QAbstractItemView*>(watched))
            ++layoutSteps_;
        if (event->type() == QEvent::Paint && watched == &window_) {
            seen_ = true;
            // Report once this paint is over.
            QTimer::singleShot(0, [steps = layoutSteps_] {
                std::printf("%lld %d\n", residentKibibytes(), steps);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    QWidget& window_;
    bool seen_ = false;
    int layoutSteps_ = 0;
};

} // namespace

int runUntilFirstShown(QWidget& window)
{
    FirstPaintWatcher watcher(window);
    QCoreApplication::instance()->installEventFilter(&watcher);
    return QCoreApplication::exec();
}
