#pragma once

// Where a symlink or a junction leads, read from its reparse data: the
// bytes Windows hands over for FSCTL_GET_REPARSE_POINT, little-endian
// numbers and UTF-16 names. The bytes are taken as they come, whatever
// wrote them, and read only within their size; the rules build and are
// tested on every system.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lapidor {

// Windows' own numbers in that data, which the Windows branch checks
// against its headers.
constexpr std::uint32_t symlinkTag = 0xA000000C;   // IO_REPARSE_TAG_SYMLINK
constexpr std::uint32_t junctionTag = 0xA0000003;  // IO_REPARSE_TAG_MOUNT_POINT
constexpr std::uint32_t relativeSymlinkFlag = 1;   // SYMLINK_FLAG_RELATIVE
constexpr std::size_t mostReparseData = 16 * 1024; // MAXIMUM_REPARSE_DATA_BUFFER_SIZE

// The path that the link at a whole path leads to: a relative symlink's
// target beside the link (see besideLink), any other target as the path of
// the drive, share or device its name stands for. Empty when the link is not
// followed: a reparse point of another kind, data that does not hold
// together, or a name that no path leads to. A result that is not verbatim
// must still be made whole, so that a device name at its end is seen as one.
std::wstring linkTarget(std::wstring_view link, std::span<const unsigned char> data);

} // namespace lapidor
