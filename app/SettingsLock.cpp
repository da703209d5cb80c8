#include "app/SettingsLock.h"

#include "app/SettingsLocation.h"
#include "files/PathSwapHook.h"
#include "files/PosixFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace lapidor {

namespace {

constexpr std::chrono::milliseconds retryEvery{10};

bool sameFile(const struct stat& one, const struct stat& other)
{
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

} // namespace

SettingsLock::SettingsLock(const std::filesystem::path& path, uid_t user, std::chrono::milliseconds wait)
{
    const auto giveUp = std::chrono::steady_clock::now() + wait;
    for (;;) {
        const Attempt attempt = tryOnce(path, user);
        if (attempt == Attempt::Taken || attempt == Attempt::Refused)
            return;
        if (std::chrono::steady_clock::now() >= giveUp) {
            problem_ = "another program holds it";
            return;
        }
        if (attempt == Attempt::Busy)
            std::this_thread::sleep_for(retryEvery);
    }
}

SettingsLock::~SettingsLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

SettingsLock::Attempt SettingsLock::tryOnce(const std::filesystem::path& path, uid_t user)
{
    const auto refuse = [this](std::string problem) {
        problem_ = std::move(problem);
        return Attempt::Refused;
    };
    struct stat seen {};
    const bool existed = ::lstat(path.c_str(), &seen) == 0;
    if (!existed && errno != ENOENT)
        return refuse(systemProblem(errno).words);
    if (existed && !S_ISREG(seen.st_mode))
        return refuse("it is " + whatStandsThere(seen.st_mode) + ", not a regular file");

    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return refuse(errno == ELOOP ? "it is a symbolic link, not a regular file" : systemProblem(errno).words);
    const auto keepOpen = [&](Attempt attempt) {
        if (attempt == Attempt::Taken)
            fd_ = fd;
        else
            ::close(fd);
        return attempt;
    };
    struct stat opened {};
    if (::fstat(fd, &opened) != 0)
        return keepOpen(refuse(systemProblem(errno).words));
    if (!S_ISREG(opened.st_mode))
        return keepOpen(refuse("it is " + whatStandsThere(opened.st_mode) + ", not a regular file"));
    if (existed && !sameFile(seen, opened))
        return keepOpen(Attempt::Replaced);
    if (opened.st_uid != user)
        return keepOpen(refuse("it belongs to user " + std::to_string(opened.st_uid) + ", not to user "
                               + std::to_string(user) + ", who runs Lapidor"));

    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            return keepOpen(Attempt::Busy);
        if (errno != EINTR)
            return keepOpen(refuse(systemProblem(errno).words));
    }
    // An older build may have taken the lock file for stale and removed it
    // meanwhile, and locked a new one at the path: this lock then keeps no
    // one out.
    runPathSwapHook(path);
    struct stat now {};
    if (::lstat(path.c_str(), &now) != 0 || !sameFile(now, opened))
        return keepOpen(Attempt::Replaced);
    return keepOpen(Attempt::Taken);
}

} // namespace lapidor
