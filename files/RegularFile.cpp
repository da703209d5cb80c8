#include "files/RegularFile.h"

#include "files/ReadWhole.h"

#include <algorithm>
#include <memory>

namespace lapidor {

FileProblem fileProblem(FileProblem::Kind kind)
{
    FileProblem problem;
    problem.kind = kind;
    return problem;
}

FileProblem notAFile(FileKind found)
{
    auto problem = fileProblem(FileProblem::Kind::NotAFile);
    problem.found = found;
    return problem;
}

FileProblem tooLarge(std::uintmax_t size, std::size_t maxBytes)
{
    auto problem = fileProblem(FileProblem::Kind::TooLarge);
    problem.size = size;
    problem.limit = maxBytes;
    return problem;
}

FileProblem refusedByLook(const FileStatus& look, std::size_t maxBytes)
{
    if (look.problem)
        return look.problem;
    if (look.kind != FileKind::Regular)
        return notAFile(look.kind);
    if (look.size > maxBytes)
        return tooLarge(look.size, maxBytes);
    return {};
}

FileProblem readChunks(std::uintmax_t openedSize, std::size_t maxBytes, const ReadSome& readSome,
                       ChunkReceiver& receiver)
{
    const auto grew = [maxBytes] {
        auto problem = fileProblem(FileProblem::Kind::GrewWhileRead);
        problem.limit = maxBytes;
        return problem;
    };
    if (openedSize > maxBytes)
        return grew();
    receiver.starting(openedSize);
    constexpr std::size_t chunkSize = 64 << 10;
    // Not filled in first: only what is read is written.
    const auto buffer = std::make_unique_for_overwrite<char[]>(chunkSize);
    std::uintmax_t total = 0;
    for (;;) {
        const auto room = std::size_t(std::min<std::uintmax_t>(chunkSize, std::uintmax_t(maxBytes) + 1 - total));
        auto step = readSome(buffer.get(), room);
        if (step.problem)
            return std::move(step.problem);
        if (step.count == 0)
            return {};
        total += step.count;
        if (total > maxBytes)
            return grew();
        receiver.take(std::string_view(buffer.get(), step.count));
    }
}

FileContents readRegularFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    class Whole : public ChunkReceiver {
    public:
        void starting(std::uintmax_t size) override { bytes.reserve(std::size_t(size)); }
        void take(std::string_view chunk) override { bytes.append(chunk); }
        std::string bytes;
    } whole;
    auto problem = readRegularFile(path, maxBytes, whole);
    if (problem)
        return {{}, std::move(problem)};
    return {std::move(whole.bytes), {}};
}

} // namespace lapidor
