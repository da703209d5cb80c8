#pragma once

// What a whole Windows path names, worked out from its characters alone,
// with nothing opened or asked of any system, so that these rules build and
// are tested on every system. A whole path is one as Windows makes it
// against the current folder: "C:\x\levels.txt", "\\server\share\x",
// "\\.\NUL", "\\?\C:\x". Separators may be '\' or '/', and names compare
// without regard to ASCII case, as Windows compares them.

#include "files/RegularFile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lapidor {

// That a path starts with the given characters, compared as Windows
// compares names.
bool pathStartsWith(std::wstring_view path, std::wstring_view start);

// What a whole path names when it is not a place in a file system: a
// device, a named pipe or a mailslot (Other). Nothing for a file system's
// place, which only a look at it can tell more of.
std::optional<FileKind> namespaceKind(std::wstring_view path);

// That Windows takes a path as it is, with no device names in it and
// nothing trimmed: "\\?\C:\levels.txt".
bool isVerbatim(std::wstring_view path);

// How much of a whole path names its drive, share or device, which ".."
// does not leave: "C:", "\\server\share", "\\?\C:", "\\?\UNC\server\share".
std::size_t rootLength(std::wstring_view path);

// Where a link's relative target leads: from the link's folder, or from the
// root of its drive or share when the target starts with a separator. "."
// and ".." are taken by their names, as Windows does when it follows a link.
std::wstring besideLink(std::wstring_view link, std::wstring_view target);

} // namespace lapidor
