#include "app/TerminationSignals.h"

#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace lapidor {

namespace {

constexpr std::array<int, 3> closingSignals = {SIGTERM, SIGINT, SIGHUP};

// The pipe's writing end, for the handler; -1 while none is installed.
volatile sig_atomic_t signalPipe = -1;

extern "C" void passSignalOn(int signal)
{
    const int savedErrno = errno; // the code the signal interrupted may be about to read it
    const char number = char(signal);
    [[maybe_unused]] const auto written = ::write(signalPipe, &number, 1); // a full pipe already holds a signal
    errno = savedErrno;
}

void setHandler(int signal, void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // the toolkit's own calls carry on undisturbed
    ::sigaction(signal, &action, nullptr);
}

[[noreturn]] void endAtOnce(int signal)
{
    setHandler(signal, SIG_DFL);
    ::raise(signal);
    ::_exit(128 + signal); // only if the signal's default action were to go on
}

} // namespace

TerminationSignals::TerminationSignals(QWidget& window)
    : window_(window)
{
    Q_ASSERT(signalPipe == -1);
    if (::pipe2(pipe_.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("Lapidor cannot catch SIGTERM, SIGINT and SIGHUP: %s.", qPrintable(qt_error_string(errno)));
        return;
    }
    signalPipe = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::takeSignals);
    // A signal ignored from the start stays ignored: under nohup, closing
    // the terminal must not close the window.
    for (std::size_t i = 0; i < closingSignals.size(); ++i) {
        ::sigaction(closingSignals[i], nullptr, &previous_[i]);
        if (previous_[i].sa_handler != SIG_IGN)
            setHandler(closingSignals[i], passSignalOn);
    }
}

TerminationSignals::~TerminationSignals()
{
    if (pipe_[0] < 0)
        return;
    for (std::size_t i = 0; i < closingSignals.size(); ++i)
        ::sigaction(closingSignals[i], &previous_[i], nullptr);
    signalPipe = -1;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void TerminationSignals::takeSignals()
{
    int count = 0;
    int last = 0;
    char numbers[16];
    for (;;) {
        const auto n = ::read(pipe_[0], numbers, sizeof numbers);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        count += int(n);
        last = numbers[n - 1];
    }
    if (count == 0)
        return;
    // Two signals before the closing could begin: the second one ends it.
    if (count > 1)
        endAtOnce(last);

    // From here on a signal takes its default action, even while the
    // placement is being saved.
    notifier_->setEnabled(false);
    for (const int signal : closingSignals)
        setHandler(signal, SIG_DFL);
    window_.close();
}

} // namespace lapidor
