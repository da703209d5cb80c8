#pragma once

#include <QObject>

#include <array>
#include <csignal>

class QSocketNotifier;
class QWidget;

namespace lapidor {

// While it exists, SIGTERM, SIGINT and SIGHUP close the window the way
// File > Exit does, so that a session that ends, a Ctrl+C or a closed
// terminal still save its placement and let the program end with status 0.
// A second signal once the closing has begun ends the program at once,
// with that signal's default action. POSIX systems only; one at a time.
//
// The handler only writes the signal's number to a pipe; the window is
// closed from the event loop, which watches the pipe.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QWidget& window);
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void takeSignals();

    QWidget& window_;
    std::array<int, 2> pipe_{-1, -1};
    QSocketNotifier* notifier_ = nullptr;
    std::array<struct sigaction, 3> previous_{};
};

} // namespace lapidor
