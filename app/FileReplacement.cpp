#include "app/FileReplacement.h"

#include "files/PathSwapHook.h"
#include "files/PosixFile.h"
#include "files/RegularFile.h"
#include "ui/words/FileProblemText.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace lapidor {

namespace {

// What the temporary file's name adds to the file's own: six random
// characters from mkstemp, then a mark that says what it is.
constexpr std::string_view temporaryMark = ".tmp";
constexpr std::size_t randomCharacters = 6;

constexpr std::string_view changedMeanwhile = "it changed while it was being saved";

// Why a call failed, in English, for a line on stderr; taken at once,
// before errno can change.
std::string failure(int error)
{
    return systemProblem(error).words;
}

std::string inEnglish(const FileProblem& problem)
{
    return FileProblemText::problem(problem, Language::English).toStdString();
}

ReplacementCallLog& callLog()
{
    static ReplacementCallLog log;
    return log;
}

int syncToDisk(int fd)
{
    if (callLog())
        callLog()("fsync");
    return ::fsync(fd);
}

int renameOver(const std::string& from, const std::filesystem::path& to)
{
    if (callLog())
        callLog()("rename");
    return ::rename(from.c_str(), to.c_str());
}

bool isLeftoverName(std::string_view name, std::string_view fileName)
{
    if (name.size() != fileName.size() + 1 + randomCharacters + temporaryMark.size() || !name.starts_with(fileName)
        || name[fileName.size()] != '.' || !name.ends_with(temporaryMark))
        return false;
    const auto random = name.substr(fileName.size() + 1, randomCharacters);
    return std::all_of(random.begin(), random.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

// A temporary file that is removed again unless it was put in place.
class TemporaryFile {
public:
    TemporaryFile() = default;
    ~TemporaryFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!name_.empty() && !kept_)
            ::unlink(name_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Makes a new file from a name template ending in XXXXXX and the mark.
    bool create(std::string nameTemplate)
    {
        fd_ = ::mkostemps(nameTemplate.data(), int(temporaryMark.size()), O_CLOEXEC);
        if (fd_ < 0)
            return false;
        name_ = std::move(nameTemplate);
        return true;
    }
    int fd() const { return fd_; }
    const std::string& name() const { return name_; }
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void keep() { kept_ = true; }

private:
    int fd_ = -1;
    std::string name_;
    bool kept_ = false;
};

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const auto n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        written += std::size_t(n);
    }
    return true;
}

} // namespace

FileReplacement::FileReplacement(Locate locate)
    : locate_(std::move(locate))
{
    auto where = locate_();
    target_ = std::move(where.file);
    problem_ = std::move(where.problem);
}

void FileReplacement::removeLeftovers() const
{
    if (target_.empty())
        return;
    const std::string fileName = target_.filename();
    DIR* folder = ::opendir(target_.parent_path().c_str());
    if (!folder)
        return; // nothing can be removed; a leftover harms nothing
    while (const dirent* entry = ::readdir(folder)) {
        if (!isLeftoverName(entry->d_name, fileName))
            continue;
        struct stat info {};
        if (::fstatat(::dirfd(folder), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
            ::unlinkat(::dirfd(folder), entry->d_name, 0);
    }
    ::closedir(folder);
}

bool FileReplacement::fail(std::string problem)
{
    problem_ = std::move(problem);
    return false;
}

bool FileReplacement::lookAtTarget(Identity& identity)
{
    struct stat info {};
    if (::lstat(target_.c_str(), &info) != 0) {
        if (errno == ENOENT) {
            identity = {};
            return true;
        }
        return fail(failure(errno));
    }
    identity = {true, info.st_dev, info.st_ino, info.st_mode, info.st_size, info.st_ctim.tv_sec, info.st_ctim.tv_nsec};
    if (!S_ISREG(info.st_mode))
        return fail(S_ISLNK(info.st_mode) ? std::string(changedMeanwhile)
                                          : inEnglish(notAFile(fileKind(info.st_mode))));
    return true;
}

std::string FileReplacement::readCurrent(std::size_t maxBytes)
{
    if (target_.empty())
        return {};
    problem_.clear();
    changed_ = false;
    if (!lookAtTarget(read_) || !read_.exists)
        return {};
    if ((read_.mode & S_IWUSR) == 0) {
        fail("it is read-only (its owner may not write it), so it is left as it is");
        return {};
    }
    auto contents = readRegularFile(target_, maxBytes);
    if (contents.problem) {
        fail(inEnglish(contents.problem));
        return {};
    }
    if (!stillTheFileRead())
        return {};
    return std::move(contents.bytes);
}

// Whether the path still leads to the file that was read, unchanged (or
// still to nothing). Whatever stands there instead is left alone.
bool FileReplacement::stillTheFileRead()
{
    const Target now = locate_();
    if (!now.problem.empty())
        return fail(now.problem);
    if (now.file != target_)
        return fail(std::string(changedMeanwhile));
    Identity identity;
    if (!lookAtTarget(identity))
        return false;
    if (identity != read_) {
        changed_ = true;
        return fail(std::string(changedMeanwhile));
    }
    return true;
}

bool FileReplacement::replaceWith(const std::string& bytes)
{
    if (!problem_.empty() || target_.empty())
        return false;
    const auto notWritten = [this](const std::string& why) {
        return fail("it could not be written: " + why + "; the file is left as it was");
    };

    TemporaryFile temporary;
    if (!temporary.create(target_.string() + ".XXXXXX" + std::string(temporaryMark)))
        return notWritten("no temporary file could be made beside it: " + failure(errno));
    if (::fchmod(temporary.fd(), read_.exists ? read_.mode & 0666 : 0600) != 0)
        return notWritten(failure(errno));
    if (!writeAll(temporary.fd(), bytes) || syncToDisk(temporary.fd()) != 0 || !temporary.close())
        return notWritten(failure(errno));

    const auto readBack = readRegularFile(temporary.name(), bytes.size());
    if (readBack.problem)
        return notWritten("it could not be read back: " + inEnglish(readBack.problem));
    if (readBack.bytes != bytes)
        return notWritten("it read back different");

    // Another program may have put something else at the path meanwhile,
    // or changed the file in place.
    runPathSwapHook(target_);
    if (!stillTheFileRead())
        return false;
    if (renameOver(temporary.name(), target_) != 0)
        return notWritten(failure(errno));
    temporary.keep();
    return true;
}

void setReplacementCallLog(ReplacementCallLog log)
{
    callLog() = std::move(log);
}

} // namespace lapidor
