#include "app/StandardStreams.h"

#include <QtGlobal>

#ifndef Q_OS_WIN
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace lapidor {

#ifdef Q_OS_WIN
bool keepStandardStreamsOpen()
{
    return false;
}
#else
namespace {

// Whether the stream was closed, and is now open on /dev/null.
bool reopenIfClosed(int stream)
{
    if (::fcntl(stream, F_GETFD) != -1 || errno != EBADF)
        return false;
    // The lower streams are open by now, so this is the lowest free number.
    const int opened = ::open("/dev/null", stream == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (opened >= 0 && opened != stream) {
        ::dup2(opened, stream);
        ::close(opened);
    }
    return true;
}

} // namespace

bool keepStandardStreamsOpen()
{
    reopenIfClosed(STDIN_FILENO);
    const bool outputWasClosed = reopenIfClosed(STDOUT_FILENO);
    reopenIfClosed(STDERR_FILENO);
    ::signal(SIGPIPE, SIG_IGN);
    return outputWasClosed;
}
#endif

} // namespace lapidor
