#pragma once

// What the platform branches of RegularFile share: the words for a file
// that is not read, and the loop that reads a whole file.

#include "files/RegularFile.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace lapidor {

std::string tooLarge(std::uintmax_t size, std::size_t maxBytes);
std::string changedWhileOpened();

// One read from an open file into a buffer: the number of bytes read, 0 at
// the end of the file, or the reason it failed.
struct ReadStep {
    std::size_t count = 0;
    std::string problem;
};
using ReadSome = std::function<ReadStep(char* into, std::size_t room)>;

// Reads until the end of the file, holding at most maxBytes. Room for one
// byte more is asked for, so a file that grew past maxBytes since its size
// was looked at is refused too. The expected size only saves regrowing.
FileContents readWhole(std::uintmax_t expectedSize, std::size_t maxBytes, const ReadSome& readSome);

} // namespace lapidor
