#pragma once

#include <sys/types.h>

#include <cstddef>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace lapidor {

// Replaces a file's contents in one step on POSIX systems, so that a
// failure at any point leaves the old file whole: the new text goes to a
// temporary file of its own beside the file, is flushed to disk and read
// back, and only then renamed over the file. The file replaced is the one
// at the end of the path's symlinks, so a link stays a link and the rename
// stays on one file system. Only a regular file is ever replaced, and only
// the very file that was read: just before the rename the path is followed
// again and must lead to the same file (same device, inode, size and change
// time), or still to nothing when there was none. Anything else stops the
// replacement; a file changed in place meanwhile can be read again and the
// replacement tried anew. Problems are told in plain words, in English.
//
// The new file never carries the setuid, setgid or sticky bit, nor an
// execute bit: it keeps the old file's read and write bits, and a new file
// is private (0600). A file whose owner may not write it is left alone.
//
// The caller keeps other writers away meanwhile (Lapidor holds a lock file
// beside the target).
class FileReplacement {
public:
    // Where the path leads now: the file at the end of its symlinks, or why
    // it may not be followed.
    struct Target {
        std::filesystem::path file;
        std::string problem;
    };
    using Locate = std::function<Target()>;

    explicit FileReplacement(Locate locate);

    // Why the file cannot be, or was not, replaced; empty when nothing is wrong.
    const std::string& problem() const { return problem_; }
    // Whether the problem is that the file changed after it was read, so
    // that reading it again and trying anew may succeed.
    bool changed() const { return changed_; }

    // Removes temporary files that an earlier replacement of the same file
    // left behind when it was cut short. Only call this while no other
    // replacement of the file can be under way.
    void removeLeftovers() const;

    // Reads the file as it stands now, of at most maxBytes; no file is
    // read as empty. Sets problem() when it cannot be read or may not be
    // replaced; called again, it starts afresh.
    std::string readCurrent(std::size_t maxBytes);

    // Puts bytes in place of the file readCurrent() read. Returns whether
    // it did; when not, problem() says why and the file is as it was.
    bool replaceWith(const std::string& bytes);

private:
    // Which file stood at the target: none, or this one as it was.
    struct Identity {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        mode_t mode = 0;
        off_t size = 0;
        std::time_t changedSeconds = 0;
        long changedNanoseconds = 0;
        bool operator==(const Identity&) const = default;
    };

    bool lookAtTarget(Identity& identity);
    bool stillTheFileRead();
    bool fail(std::string problem);

    Locate locate_;
    std::filesystem::path target_;
    Identity read_;
    std::string problem_;
    bool changed_ = false;
};

// Tests see each call that puts the new text in place, as it is made
// ("fsync", "rename"); without a log (always, outside tests) nothing is
// recorded.
using ReplacementCallLog = std::function<void(std::string_view call)>;
void setReplacementCallLog(ReplacementCallLog log); // an empty log removes it

} // namespace lapidor
