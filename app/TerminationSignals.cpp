#include "app/TerminationSignals.h"

#include "app/ErrorLine.h"
#include "files/PosixFile.h"

#include <QEvent>
#include <QSocketNotifier>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace lapidor {

namespace {

constexpr std::array<int, 3> closingSignals = {SIGTERM, SIGINT, SIGHUP};

// How long into the closing a signal is still the request that began it.
constexpr std::int64_t sameRequestNanoseconds = 1'000'000'000;

// The pipe's writing end, for the handler; -1 while none is installed.
volatile sig_atomic_t signalPipe = -1;

// When the closing began, on the monotonic clock; 0 until it does.
std::atomic<std::int64_t> closingSince{0};
static_assert(std::atomic<std::int64_t>::is_always_lock_free, "read in a signal handler");

// The actions the signals had before the handler was first installed.
std::array<struct sigaction, 3> originalActions{};
bool handlerInstalled = false;

std::int64_t monotonicNanoseconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now); // safe in a signal handler
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

void setHandler(int signal, void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // the toolkit's own calls carry on undisturbed
    ::sigaction(signal, &action, nullptr);
}

// Called in the handler, where the signal is blocked until it returns.
[[noreturn]] void endAtOnce(int signal)
{
    setHandler(signal, SIG_DFL);
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, signal);
    ::pthread_sigmask(SIG_UNBLOCK, &blocked, nullptr);
    ::raise(signal);
    ::_exit(128 + signal); // only if the signal's default action were to go on
}

extern "C" void passSignalOn(int signal)
{
    const int savedErrno = errno; // the code the signal interrupted may be about to read it
    const std::int64_t since = closingSince.load();
    if (since == 0) {
        const char number = char(signal);
        [[maybe_unused]] const auto written = ::write(signalPipe, &number, 1); // a full pipe already holds a signal
    } else if (monotonicNanoseconds() - since >= sameRequestNanoseconds) {
        endAtOnce(signal);
    }
    errno = savedErrno;
}

void markClosingBegun()
{
    std::int64_t notYet = 0;
    closingSince.compare_exchange_strong(notYet, std::max<std::int64_t>(monotonicNanoseconds(), 1));
}

} // namespace

TerminationSignals::TerminationSignals(QWidget& window)
    : window_(window)
{
    Q_ASSERT(signalPipe == -1);
    closingSince = 0;
    if (::pipe2(pipe_.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        const int error = errno;
        writeErrorLine("Lapidor cannot catch SIGTERM, SIGINT and SIGHUP: " + systemProblem(error).words + ".");
        return;
    }
    signalPipe = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::takeSignals);
    window_.installEventFilter(this);
    if (handlerInstalled)
        return;
    // A signal ignored from the start stays ignored: under nohup, closing
    // the terminal must not close the window.
    for (std::size_t i = 0; i < closingSignals.size(); ++i) {
        ::sigaction(closingSignals[i], nullptr, &originalActions[i]);
        if (originalActions[i].sa_handler != SIG_IGN)
            setHandler(closingSignals[i], passSignalOn);
    }
    handlerInstalled = true;
}

TerminationSignals::~TerminationSignals()
{
    if (pipe_[0] < 0)
        return;
    // Once the closing has begun, the handler stays until the process has
    // gone: a repeated request may still arrive while the program ends, and
    // the handler needs no pipe for it.
    if (closingSince == 0) {
        for (std::size_t i = 0; i < closingSignals.size(); ++i)
            ::sigaction(closingSignals[i], &originalActions[i], nullptr);
        handlerInstalled = false;
    }
    signalPipe = -1;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

bool TerminationSignals::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_ && event->type() == QEvent::Close)
        markClosingBegun();
    return QObject::eventFilter(watched, event);
}

void TerminationSignals::takeSignals()
{
    bool taken = false;
    char numbers[16];
    for (;;) {
        const auto n = ::read(pipe_[0], numbers, sizeof numbers);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        taken = true;
    }
    if (!taken)
        return;
    // However many arrived, they are one request.
    notifier_->setEnabled(false);
    markClosingBegun();
    window_.close();
}

} // namespace lapidor
