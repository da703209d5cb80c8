// Regular files on POSIX systems: stat, then open without blocking or
// taking a controlling terminal, then fstat the descriptor to make sure it
// is the file looked at.
#include "files/RegularFile.h"

#include "files/PathSwapHook.h"
#include "files/PosixFile.h"
#include "files/ReadWhole.h"

#include <cerrno>
#include <clocale>
#include <cstring>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lapidor {

FileKind fileKind(mode_t mode)
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

FileProblem systemProblem(int error)
{
    static const locale_t english = ::newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    FileProblem problem;
    problem.kind = FileProblem::Kind::System;
    problem.code = error;
    problem.words = english ? ::strerror_l(error, english) : std::strerror(error);
    return problem;
}

namespace {

// stat() following symlinks: the kind found, or the reason it failed.
FileStatus look(const std::filesystem::path& path, struct stat& info)
{
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return {FileKind::Missing, 0, {}};
        return {FileKind::Other, 0, systemProblem(error)};
    }
    const auto kind = fileKind(info.st_mode);
    return {kind, kind == FileKind::Regular ? std::uintmax_t(info.st_size) : 0, {}};
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
    return look(path, info);
}

FileProblem readRegularFile(const std::filesystem::path& path, std::size_t maxBytes, ChunkReceiver& receiver)
{
    struct stat before {};
    if (auto refusal = refusedByLook(look(path, before), maxBytes))
        return refusal;

    runPathSwapHook(path);
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        return systemProblem(errno);
    struct stat opened {};
    if (::fstat(file.get(), &opened) != 0)
        return systemProblem(errno);
    if (!S_ISREG(opened.st_mode) || opened.st_dev != before.st_dev || opened.st_ino != before.st_ino)
        return fileProblem(FileProblem::Kind::ChangedWhileOpened);

    return readChunks(
        std::uintmax_t(opened.st_size), maxBytes,
        [&](char* into, std::size_t room) -> ReadStep {
            for (;;) {
                const auto n = ::read(file.get(), into, room);
                if (n >= 0)
                    return {std::size_t(n), {}};
                if (errno != EINTR)
                    return {0, systemProblem(errno)};
            }
        },
        receiver);
}

} // namespace lapidor
