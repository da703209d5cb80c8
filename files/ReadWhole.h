#pragma once

// What the platform branches of RegularFile share: the refusals after a
// look at a path, and the loop that reads a file.

#include "files/RegularFile.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace lapidor {

// One read from an open file into a buffer: the number of bytes read, 0 at
// the end of the file, or why it failed.
struct ReadStep {
    std::size_t count = 0;
    FileProblem problem;
};
using ReadSome = std::function<ReadStep(char* into, std::size_t room)>;

// Tells the receiver the size the open file has, then reads until the end
// of the file and hands each piece to the receiver, reading no more than
// maxBytes and one byte more. A file that grew past maxBytes since its size
// was looked at, by the open or while it is read, is refused.
FileProblem readChunks(std::uintmax_t openedSize, std::size_t maxBytes, const ReadSome& readSome,
                       ChunkReceiver& receiver);

// The problem of a file larger than the most that is read.
FileProblem tooLarge(std::uintmax_t size, std::size_t maxBytes);

// Why a path is not opened after a look at it: the look failed, something
// other than a regular file stands there, or a file larger than maxBytes.
FileProblem refusedByLook(const FileStatus& look, std::size_t maxBytes);

} // namespace lapidor
