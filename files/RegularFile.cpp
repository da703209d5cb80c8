#include "files/RegularFile.h"

#include "files/ReadWhole.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace lapidor {

std::string notAFile(FileKind kind)
{
    switch (kind) {
    case FileKind::Regular:
        return {};
    case FileKind::Missing:
        return "No such file or directory";
    case FileKind::Folder:
        return "it is a folder, not a file";
    case FileKind::NamedPipe:
        return "it is a named pipe (FIFO), not a file";
    case FileKind::Device:
        return "it is a device, not a file";
    case FileKind::Socket:
        return "it is a socket, not a file";
    case FileKind::Other:
        break;
    }
    return "it is not a regular file";
}

std::string byteSize(std::uintmax_t bytes)
{
    if (bytes < 1024)
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    const char* units[] = {"KiB", "MiB", "GiB", "TiB", "PiB", "EiB"};
    double value = double(bytes) / 1024;
    std::size_t unit = 0;
    while (value >= 1024 && unit + 1 < std::size(units)) {
        value /= 1024;
        ++unit;
    }
    char text[32];
    // Whole units without a fraction; otherwise one decimal, so that 16 MiB
    // and one byte more do not read alike.
    if (double(bytes) == value * double(1ULL << (10 * (unit + 1))) && value == double(std::uintmax_t(value)))
        std::snprintf(text, sizeof text, "%.0f %s", value, units[unit]);
    else
        std::snprintf(text, sizeof text, "%.1f %s", value, units[unit]);
    return text;
}

std::string tooLarge(std::uintmax_t size, std::size_t maxBytes)
{
    std::string shown = byteSize(size);
    if (size >= 1024) // the exact count too, so that a byte over the limit shows
        shown += " (" + std::to_string(size) + " bytes)";
    return "it is too large: " + shown + ", and at most " + byteSize(maxBytes) + " is read";
}

std::string changedWhileOpened()
{
    return "it changed while it was being opened";
}

FileContents readWhole(std::uintmax_t expectedSize, std::size_t maxBytes, const ReadSome& readSome)
{
    maxBytes = std::min(maxBytes, std::numeric_limits<std::size_t>::max() - 1); // room for the byte more
    FileContents contents;
    contents.bytes.resize(std::size_t(std::min<std::uintmax_t>(expectedSize, maxBytes)) + 1);
    std::size_t got = 0;
    for (;;) {
        if (got == contents.bytes.size()) {
            if (got > maxBytes)
                return {{}, "it grew past " + byteSize(maxBytes) + " while it was read"};
            contents.bytes.resize(std::min(got * 2, maxBytes + 1));
        }
        auto step = readSome(contents.bytes.data() + got, contents.bytes.size() - got);
        if (!step.problem.empty())
            return {{}, std::move(step.problem)};
        if (step.count == 0)
            break;
        got += step.count;
    }
    contents.bytes.resize(got);
    return contents;
}

} // namespace lapidor
