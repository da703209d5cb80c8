// Reading levels.txt from disk, through a real temporary file of fuzzed
// content and size.
//
// Input: the first byte picks the size: 0 keeps the content as it is, 1
// stretches the file (sparsely) to about the most that is read, give or take
// the next byte, 2 stretches it to four times that. The rest is the content.
#include "levels/LevelsReader.h"
#include "tests/fuzz/Check.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

using namespace lapidor;

namespace fs = std::filesystem;

namespace {

// A folder of this process's own for the file, removed when it ends.
class ScratchFolder {
public:
    ScratchFolder()
        : folder_(fs::temp_directory_path()
                  / ("lapidor-levels-file-fuzz-"
                     + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count())))
    {
        fs::create_directories(folder_);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path file() const { return folder_ / "levels.txt"; }

private:
    fs::path folder_;
};

const fs::path& scratchFile()
{
    static const ScratchFolder folder;
    static const fs::path path = folder.file();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const auto stretch = data[0] % 3;
    const auto near = std::uintmax_t(data[1]);
    const std::string content(reinterpret_cast<const char*>(data) + 2, size - 2);
    const auto& path = scratchFile();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;

    std::uintmax_t fileSize = content.size();
    if (stretch == 1)
        fileSize = std::max<std::uintmax_t>(fileSize, largestLevelsFile - 128 + near);
    else if (stretch == 2)
        fileSize = 4 * std::uintmax_t(largestLevelsFile); // sparse, yet within any disk's room
    if (fileSize != content.size())
        fs::resize_file(path, fileSize);

    const auto file = readLevelsFile(path);
    FUZZ_CHECK(!file.folder.empty());
    if (fileSize > largestLevelsFile) {
        FUZZ_CHECK(file.failure == LevelsFile::Failure::File && file.problem.kind == FileProblem::Kind::TooLarge);
        FUZZ_CHECK(file.table.labelCount() == 0 && file.table.thresholdCount() == 0);
        return 0;
    }

    // From disk, the file reads exactly as its text does in memory.
    std::string text = content;
    text.resize(std::size_t(fileSize), '\0');
    const auto inMemory = readLevels(text);
    FUZZ_CHECK(file.failure == inMemory.failure);
    FUZZ_CHECK(file.table.labelCount() == inMemory.table.labelCount());
    FUZZ_CHECK(file.table.thresholdCount() == inMemory.table.thresholdCount());
    for (std::ptrdiff_t row = 0; row < std::ptrdiff_t(file.table.labelCount()); ++row)
        FUZZ_CHECK(file.table.label(row) == inMemory.table.label(row));
    for (std::ptrdiff_t row = 0; row < std::ptrdiff_t(file.table.thresholdCount()); ++row)
        FUZZ_CHECK(file.table.threshold(row) == inMemory.table.threshold(row));
    FUZZ_CHECK(file.table.encoding() == inMemory.table.encoding());
    FUZZ_CHECK(file.firstIrregularLine.has_value() == inMemory.firstIrregularLine.has_value());
    return 0;
}
