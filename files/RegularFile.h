#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace lapidor {

// What stands at a path once symlinks are followed.
enum class FileKind { Missing, Regular, Folder, NamedPipe, Device, Socket, Other };

struct FileStatus {
    FileKind kind = FileKind::Missing;
    std::uintmax_t size = 0; // bytes, for a regular file
    std::string problem;     // why the path could not be examined; empty when it could
};

// Looks at a path, following symlinks, without opening what it finds.
FileStatus fileStatus(const std::filesystem::path& path);

// Why a path holds no file to read or write, in plain words: "it is a
// folder, not a file". Empty for a regular file.
std::string notAFile(FileKind kind);

struct FileContents {
    std::string bytes;
    std::string problem; // empty when the file was read; otherwise why not, in plain words
};

// Reads a whole regular file of at most maxBytes. Nothing else is opened:
// a folder, named pipe, device or socket is refused after a look at the
// path, since opening some devices has effects of its own. The file is read
// through one handle that is checked to be the file looked at, so nothing
// can be swapped in between, and a file that grows past maxBytes while it
// is read is refused too.
FileContents readRegularFile(const std::filesystem::path& path, std::size_t maxBytes);

// A number of bytes as people read it: "512 bytes", "16 MiB", "1.5 GiB".
std::string byteSize(std::uintmax_t bytes);

} // namespace lapidor
