#include "ui/main/WhenExposed.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace lapidor {

namespace {

class ExposureWatcher : public QObject {
public:
    ExposureWatcher(QWidget* window, std::function<void()> action)
        : QObject(window)
        , window_(window)
        , action_(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && window_->windowHandle()->isExposed()) {
            // Once this event is over, and only once.
            window_->windowHandle()->removeEventFilter(this);
            QTimer::singleShot(0, window_, std::move(action_));
            deleteLater();
        }
        return false;
    }

private:
    QWidget* window_;
    std::function<void()> action_;
};

} // namespace

void whenExposed(QWidget* window, std::function<void()> action)
{
    QWindow* handle = window->windowHandle();
    if (handle && handle->isExposed()) {
        QTimer::singleShot(0, window, std::move(action));
        return;
    }
    window->winId(); // makes the handle if the window has none yet
    window->windowHandle()->installEventFilter(new ExposureWatcher(window, std::move(action)));
}

} // namespace lapidor
