#pragma once

// The walk from a Windows path to what stands at its end, which takes links
// by name. The path is first made whole the way Windows does it, which turns
// device names such as "NUL" or "C:\x\con" into "\\.\NUL" and "\\.\con", so
// that devices and named pipes are told apart by name alone (namespaceKind)
// and never looked at. What remains is looked at without being opened. A
// symlink or junction at its end is read as itself, never opened as what it
// leads to: its target is read out of its data (linkTarget), made whole and
// looked at in the same way, up to 32 links deep. So a link to a device or a
// named pipe is refused by the name of what it leads to, which is never
// opened; a link to a folder is marked as a folder itself, and refused as
// one.
//
// The walk asks the system only through LinkWalkSystem, so its rules build
// and are tested against a made-up file system on every system.

#include "files/RegularFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lapidor {

// At most this many links are followed from one path to its end.
constexpr int mostLinks = 32;
// Windows' own numbers that the walk reads, which the Windows branch checks
// against its headers.
constexpr int tooManyLinksCode = 1921;            // ERROR_CANT_RESOLVE_FILENAME
constexpr std::uint32_t folderAttribute = 0x10;   // FILE_ATTRIBUTE_DIRECTORY
constexpr std::uint32_t deviceAttribute = 0x40;   // FILE_ATTRIBUTE_DEVICE
constexpr std::uint32_t reparseAttribute = 0x400; // FILE_ATTRIBUTE_REPARSE_POINT

// What the walk asks of the system, always of a whole path but for the first.
class LinkWalkSystem {
public:
    struct WholePath {
        std::wstring path;  // empty when it could not be made whole
        FileStatus failure; // then why: nothing stands there, or a problem
    };
    // What stands at a whole path, a link at its end taken as itself.
    struct Entry {
        bool found = false;
        std::uint32_t attributes = 0; // FILE_ATTRIBUTE_ bits
        std::uintmax_t size = 0;
        FileStatus failure; // when nothing was found: nothing stands there, or a problem
    };
    struct LinkData {
        enum class Read { Data, NoLinkThere, Failed };
        Read read = Read::Failed;
        std::vector<unsigned char> bytes; // the reparse data, as linkTarget reads it
        FileStatus failure;               // when Failed: nothing stands there, or a problem
    };

    // The path made whole against the current folder, as every later call
    // sees it.
    virtual WholePath makeWhole(const std::wstring& path) = 0;
    // Looks at what stands at a whole path without opening it.
    virtual Entry look(const std::wstring& path) = 0;
    // The data of the link at a whole path, read through the link opened as
    // itself with no access to contents, so that nothing it leads to is
    // opened. NoLinkThere when something else took the link's place since it
    // was looked at.
    virtual LinkData readLink(const std::wstring& path) = 0;

protected:
    ~LinkWalkSystem() = default;
};

struct WalkEnd {
    FileStatus status;  // what stands at the end of the path, as fileStatus tells it
    std::wstring where; // of a regular file, its whole path past every link: the path to open
};

// Walks from a path to what stands at its end.
WalkEnd walkLinks(const std::wstring& path, LinkWalkSystem& system);

} // namespace lapidor
