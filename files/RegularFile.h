#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace lapidor {

// What stands at a path once symlinks are followed.
enum class FileKind { Missing, Regular, Folder, NamedPipe, Device, Socket, Other };

// Why a file was not read: what was found, with the values a sentence about
// it needs. The interface words it.
struct FileProblem {
    enum class Kind {
        None,
        NotAFile,           // `found` stands at the path (or nothing does)
        TooLarge,           // the file holds `size` bytes, and at most `limit` are read
        GrewWhileRead,      // past `limit` bytes
        ChangedWhileOpened, // once opened, the path led to something other than the file looked at
        InUse,              // another program holds it open and lets no one else read it
        Locked,             // another program has locked some of it
        System,             // the system refused: its error `code` and its own `words`, in English
    };
    Kind kind = Kind::None;
    FileKind found = FileKind::Regular;
    std::uintmax_t size = 0;
    std::uintmax_t limit = 0;
    int code = 0;
    std::string words{}; // given {} so that a problem written as {kind} draws no warning

    explicit operator bool() const { return kind != Kind::None; }
};

// A problem that needs no values: FileProblem::Kind::ChangedWhileOpened.
FileProblem fileProblem(FileProblem::Kind kind);

// That something other than a regular file stands at a path.
FileProblem notAFile(FileKind found);

struct FileStatus {
    FileKind kind = FileKind::Missing;
    std::uintmax_t size = 0; // bytes, for a regular file
    FileProblem problem;     // why the path could not be looked at, if it could not
};

// Looks at a path, following symlinks, without opening what it finds.
FileStatus fileStatus(const std::filesystem::path& path);

// Hands on the pieces of a file as they are read, and learns first the
// size the file had when it was opened.
class ChunkReceiver {
public:
    virtual void starting(std::uintmax_t size) = 0;
    virtual void take(std::string_view chunk) = 0;

protected:
    ~ChunkReceiver() = default;
};

// Reads a regular file of at most maxBytes, handing it on in pieces. Nothing
// else is opened: a folder, named pipe, device or socket is refused after a
// look at the path, since opening some devices has effects of its own. The
// file is read through one handle that is checked to be the file looked at,
// so nothing can be swapped in between, and a file that grows past maxBytes
// while it is read is refused too. When a problem is returned, what the
// receiver took is not the whole file.
FileProblem readRegularFile(const std::filesystem::path& path, std::size_t maxBytes, ChunkReceiver& receiver);

struct FileContents {
    std::string bytes;
    FileProblem problem; // why the file was not read, if it was not
};

// Reads a whole regular file of at most maxBytes into memory, as above.
FileContents readRegularFile(const std::filesystem::path& path, std::size_t maxBytes);

} // namespace lapidor
