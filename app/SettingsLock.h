#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace lapidor {

// The lock that keeps two saves of the settings file apart, on Linux: an
// flock on a lock file beside it. The kernel lets go of it when the
// process ends, however it ends, so it never goes stale and nothing ever
// removes it: the file stays. Older builds locked the same file the same
// way (with QLockFile, which also takes the flock), so they stay out too.
//
// Only the lock path itself is opened, and only as a regular file that the
// user owns: anything else there (a symlink, folder, named pipe, device) is
// refused unopened, named for what it is.
class SettingsLock {
public:
    // Takes the lock for the user, trying again until it is free or the
    // wait is over.
    SettingsLock(const std::filesystem::path& path, uid_t user, std::chrono::milliseconds wait);
    ~SettingsLock();
    SettingsLock(const SettingsLock&) = delete;
    SettingsLock& operator=(const SettingsLock&) = delete;

    bool held() const { return fd_ >= 0; }
    const std::string& problem() const { return problem_; } // why it is not held, in English

private:
    enum class Attempt { Taken, Busy, Replaced, Refused };
    Attempt tryOnce(const std::filesystem::path& path, uid_t user);

    int fd_ = -1;
    std::string problem_;
};

} // namespace lapidor
