#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <string>

namespace lapidor {

// Replaces a file's contents in one step on POSIX systems, so that a
// failure at any point leaves the old file whole: the new text goes to a
// temporary file of its own beside the file, is flushed to disk and read
// back, and only then renamed over the file. A symlink is followed to the
// file it names, which is the one replaced, so the link stays a link and
// the rename stays on one file system. Only a regular file is ever
// replaced: the path is looked at again just before the rename, and
// anything but the very file that was read (or still nothing, when there
// was none) stops the replacement. Problems are told in plain words, in
// English.
//
// The caller keeps other writers away meanwhile (Lapidor holds a lock file
// beside the target).
class FileReplacement {
public:
    // Follows the path's symlinks to the file they end at.
    explicit FileReplacement(std::filesystem::path path);

    // The file that will be replaced, or why there is none.
    const std::filesystem::path& target() const { return target_; }
    const std::string& problem() const { return problem_; }

    // Removes temporary files that an earlier replacement of the same file
    // left behind when it was cut short. Only call this while no other
    // replacement of the file can be under way.
    void removeLeftovers() const;

    // Reads the file as it stands now, of at most maxBytes; no file is
    // read as empty. Sets problem() when it cannot be read.
    std::string readCurrent(std::size_t maxBytes);

    // Puts bytes in place of the file readCurrent() read. Returns whether
    // it did; when not, problem() says why and the file is as it was.
    bool replaceWith(const std::string& bytes);

private:
    // Which file stood at the target: none, or this one.
    struct Identity {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        mode_t mode = 0;
        bool operator==(const Identity&) const = default;
    };

    bool lookAtTarget(Identity& identity);
    bool stillTheFileRead();
    bool fail(std::string problem);

    std::filesystem::path path_;
    std::filesystem::path target_;
    Identity read_;
    std::string problem_;
};

} // namespace lapidor
