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
//
// One request often comes as several signals: a wrapper such as timeout
// passes it on to the program and to its process group, a session's end
// sends SIGHUP and SIGTERM. So any signal until the closing has run for a
// second is taken as the request that began it (whether a signal or
// File > Exit began it); only one after that ends the program at once,
// with that signal's default action. A signal ignored when the program
// starts stays ignored. POSIX systems only; one at a time.
//
// The handler only writes the signal's number to a pipe, or, once the
// closing has begun, compares the time; the window is closed from the
// event loop, which watches the pipe.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QWidget& window);
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void takeSignals();

    QWidget& window_;
    std::array<int, 2> pipe_{-1, -1};
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace lapidor
