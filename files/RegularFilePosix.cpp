// Regular files on POSIX systems: stat, then open without blocking or
// taking a controlling terminal, then fstat the descriptor to make sure it
// is the file looked at.
#include "files/RegularFile.h"

#include "files/ReadRefusals.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace lapidor {

namespace {

FileKind kindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return FileKind::Regular;
    if (S_ISDIR(mode))
        return FileKind::Folder;
    if (S_ISFIFO(mode))
        return FileKind::NamedPipe;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return FileKind::Device;
    if (S_ISSOCK(mode))
        return FileKind::Socket;
    return FileKind::Other;
}

// The reason a call failed, taken at once, before anything else can change errno.
std::string failure(int error)
{
    return std::strerror(error);
}

class Descriptor {
public:
    explicit Descriptor(int fd)
        : fd_(fd)
    {
    }
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

FileStatus fileStatus(const std::filesystem::path& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return {FileKind::Missing, 0, {}};
        return {FileKind::Other, 0, failure(error)};
    }
    const auto kind = kindOf(info.st_mode);
    return {kind, kind == FileKind::Regular ? std::uintmax_t(info.st_size) : 0, {}};
}

FileContents readRegularFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    maxBytes = std::min(maxBytes, std::numeric_limits<std::size_t>::max() - 1); // room for the byte more
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0)
        return {{}, failure(errno)};
    if (const auto kind = kindOf(before.st_mode); kind != FileKind::Regular)
        return {{}, notAFile(kind)};
    if (std::uintmax_t(before.st_size) > maxBytes)
        return {{}, tooLarge(std::uintmax_t(before.st_size), maxBytes)};

    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        return {{}, failure(errno)};
    struct stat opened {};
    if (::fstat(file.get(), &opened) != 0)
        return {{}, failure(errno)};
    if (!S_ISREG(opened.st_mode) || opened.st_dev != before.st_dev || opened.st_ino != before.st_ino)
        return {{}, changedWhileOpened()};

    // One byte more than may be held, to notice a file that grew meanwhile.
    FileContents contents;
    contents.bytes.resize(std::min<std::uintmax_t>(std::uintmax_t(opened.st_size), maxBytes) + 1);
    std::size_t got = 0;
    for (;;) {
        if (got == contents.bytes.size()) {
            if (got > maxBytes)
                return {{}, grewWhileRead(maxBytes)};
            contents.bytes.resize(std::min(got * 2, maxBytes + 1));
        }
        const auto n = ::read(file.get(), contents.bytes.data() + got, contents.bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return {{}, failure(errno)};
        }
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    contents.bytes.resize(got);
    return contents;
}

} // namespace lapidor
