#include "app/SettingsLocation.h"

#include "files/PosixFile.h"
#include "text/TextEncoding.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <vector>

namespace lapidor {

namespace fs = std::filesystem;

namespace {

// As many links as Linux itself follows in one path before it gives up.
constexpr int mostLinksFollowed = 40;

// A path in a reason, as its bytes: the line on stderr quotes them.
const std::string& shown(const fs::path& path)
{
    return path.native();
}

std::string failure(const fs::path& path, int error)
{
    return shown(path) + ": " + systemProblem(error).words;
}

std::string belongsElsewhere(const std::string& what, const fs::path& path, uid_t owner, uid_t user)
{
    return what + " " + shown(path) + " belongs to user " + std::to_string(owner) + ", not to user "
        + std::to_string(user) + ", who runs Lapidor";
}

bool isAbsolute(const char* folder)
{
    return folder && folder[0] == '/';
}

SettingsLocation inFolder(const std::string& folder)
{
    // Every name on stderr, in the README and in a file manager would
    // then differ from the folder's own.
    Utf8Check utf8;
    utf8.take(folder);
    if (!utf8.finish())
        return {{}, {}, "the settings folder " + folder + " has a name that is not valid UTF-8"};
    return {folder, fs::path(folder) / "Lapidor" / "Lapidor.conf", {}};
}

// What stands at a path, with its symlinks followed.
struct Entry {
    fs::path path; // where the symlinks led
    struct stat info {};
    bool exists = false;
    std::string problem{}; // why it could not be looked at, or a symlink may not be followed
};

// Each symlink on the way must be the user's: another user's link could
// lead anywhere the user may write.
Entry follow(fs::path path, uid_t user)
{
    for (int followed = 0;; ++followed) {
        Entry entry{path};
        if (::lstat(path.c_str(), &entry.info) != 0) {
            if (errno != ENOENT)
                entry.problem = failure(path, errno);
            return entry;
        }
        entry.exists = true;
        if (!S_ISLNK(entry.info.st_mode))
            return entry;
        if (entry.info.st_uid != user)
            entry.problem = belongsElsewhere("the symbolic link", path, entry.info.st_uid, user);
        else if (followed == mostLinksFollowed)
            entry.problem = failure(path, ELOOP);
        if (!entry.problem.empty())
            return entry;
        std::error_code error;
        const fs::path target = fs::read_symlink(path, error);
        if (error) {
            entry.problem = failure(path, error.value());
            return entry;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
}

std::string folderProblem(const fs::path& path, const struct stat& info, uid_t user)
{
    if (!S_ISDIR(info.st_mode))
        return "the folder " + shown(path) + " is " + whatStandsThere(info.st_mode) + ", not a folder";
    if (info.st_uid != user)
        return belongsElsewhere("the folder", path, info.st_uid, user);
    return {};
}

// Makes a missing folder and those missing above it, from the nearest one
// there, which must be the user's. A folder made meanwhile by someone else
// must pass like any other.
std::string makeFolders(const fs::path& folder, uid_t user)
{
    std::vector<fs::path> missing{folder};
    fs::path above = folder.parent_path();
    struct stat info {};
    while (::stat(above.c_str(), &info) != 0) {
        if (errno != ENOENT || above == above.parent_path())
            return failure(above, errno);
        missing.push_back(above);
        above = above.parent_path();
    }
    if (auto problem = folderProblem(above, info, user); !problem.empty())
        return problem;
    for (auto made = missing.rbegin(); made != missing.rend(); ++made) {
        if (::mkdir(made->c_str(), 0700) != 0 && errno != EEXIST) {
            const int error = errno;
            return "the folder " + shown(*made) + " could not be made: " + systemProblem(error).words;
        }
        if (::lstat(made->c_str(), &info) != 0)
            return failure(*made, errno);
        if (auto problem = folderProblem(*made, info, user); !problem.empty())
            return problem;
    }
    return {};
}

} // namespace

SettingsLocation userSettingsLocation()
{
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (isAbsolute(configHome))
        return inFolder(configHome);
    const char* home = std::getenv("HOME");
    if (isAbsolute(home))
        return inFolder(std::string(home) + "/.config");
    const std::string why = !home ? "HOME is not set"
        : !*home                  ? "HOME is empty"
                                  : "HOME is \"" + std::string(home) + "\", not an absolute path";
    return {{}, {}, "XDG_CONFIG_HOME is not an absolute path and " + why + ", so there is no settings folder"};
}

SettingsFile settingsFileUnder(const fs::path& folder, uid_t user, MakeFolders make)
{
    fs::path at;
    for (const fs::path& next : {folder, fs::path("Lapidor")}) {
        Entry entry = follow(at / next, user);
        if (entry.problem.empty() && !entry.exists) {
            if (make == MakeFolders::No)
                return {{}, "the folder " + shown(entry.path) + " is gone"};
            entry.problem = makeFolders(entry.path, user);
            if (entry.problem.empty())
                entry = follow(entry.path, user);
        }
        if (entry.problem.empty())
            entry.problem = folderProblem(entry.path, entry.info, user);
        if (!entry.problem.empty())
            return {{}, entry.problem};
        at = entry.path;
    }

    const Entry file = follow(at / "Lapidor.conf", user);
    if (!file.problem.empty())
        return {{}, file.problem};
    if (file.exists && file.info.st_uid != user)
        return {{}, belongsElsewhere("the file", file.path, file.info.st_uid, user)};
    // A symlink may lead it into another folder, which then takes the
    // temporary file and the lock.
    if (file.path.parent_path() != at) {
        struct stat info {};
        if (::stat(file.path.parent_path().c_str(), &info) != 0)
            return {{}, failure(file.path.parent_path(), errno)};
        if (auto problem = folderProblem(file.path.parent_path(), info, user); !problem.empty())
            return {{}, problem};
    }
    return {file.path, {}};
}

std::string whatStandsThere(mode_t mode)
{
    if (S_ISLNK(mode))
        return "a symbolic link";
    switch (fileKind(mode)) {
    case FileKind::Regular:
        return "a regular file";
    case FileKind::Folder:
        return "a folder";
    case FileKind::NamedPipe:
        return "a named pipe (FIFO)";
    case FileKind::Device:
        return "a device";
    case FileKind::Socket:
        return "a socket";
    case FileKind::Missing:
    case FileKind::Other:
        break;
    }
    return "something other than a file";
}

} // namespace lapidor
