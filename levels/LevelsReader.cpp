#include "levels/LevelsReader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <system_error>

namespace lapidor {

namespace {

constexpr std::string_view levelMarker = "[LEVEL=";
constexpr std::string_view thresholdMarker = "XP=";
constexpr std::string_view labelEnd = " XP";
constexpr auto npos = std::string_view::npos;

// The label runs from the end of "[LEVEL=" to the first " XP". Without
// "[LEVEL=" it runs from the seventh character, as if the marker stood
// just before the line.
constexpr std::size_t labelStartWithoutMarker = 6;

void appendThresholds(std::string_view line, LevelTable& table)
{
    auto marker = line.find(thresholdMarker);
    while (marker != npos) {
        const auto pieceStart = marker + thresholdMarker.size();
        const auto nextMarker = line.find(thresholdMarker, pieceStart);
        const auto piece = line.substr(pieceStart, nextMarker == npos ? npos : nextMarker - pieceStart);
        const auto close = piece.find(']');
        if (close != npos && close > 0)
            table.List2.emplace_back(piece.substr(0, close));
        marker = nextMarker;
    }
}

void readLine(std::string_view line, LevelTable& table)
{
    const auto levelAt = line.find(levelMarker);
    const auto labelStart = levelAt == npos ? labelStartWithoutMarker : levelAt + levelMarker.size();
    const auto labelStop = line.find(labelEnd);

    // A line with no room for a label (blank, no " XP", or " XP" before
    // "[LEVEL=") adds nothing at all, so later rows keep their pairing.
    if (labelStop == npos || labelStop < labelStart)
        return;

    appendThresholds(line, table);
    table.List1.emplace_back(line.substr(labelStart, labelStop - labelStart));
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string cannotRead(const std::filesystem::path& path, const std::string& reason)
{
    std::error_code ignored;
    const auto folder = std::filesystem::absolute(path, ignored).parent_path();
    return "The file \"" + path.filename().string() + "\" in the folder \"" + folder.string()
        + "\" could not be read: " + reason + ".";
}

} // namespace

LevelTable readLevels(std::string_view fileText)
{
    LevelTable table;
    // Room for a label and a threshold per line, so the lists never regrow.
    std::size_t lines = 1;
    for (auto cr = fileText.find('\r'); cr != npos; cr = fileText.find('\r', cr + 1))
        ++lines;
    table.List1.reserve(lines);
    table.List2.reserve(lines);
    // A line ends at CR LF or at a lone CR; a lone LF stays inside its line.
    std::size_t lineStart = 0;
    while (lineStart < fileText.size()) {
        const auto cr = fileText.find('\r', lineStart);
        readLine(fileText.substr(lineStart, cr == npos ? npos : cr - lineStart), table);
        if (cr == npos)
            break;
        lineStart = cr + 1;
        if (lineStart < fileText.size() && fileText[lineStart] == '\n')
            ++lineStart;
    }
    return table;
}

LevelsFile readLevelsFile(const std::filesystem::path& path)
{
    std::error_code statusError;
    if (std::filesystem::is_directory(path, statusError))
        return {{}, cannotRead(path, "it is a folder, not a file")};

    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return {{}, cannotRead(path, errno ? std::strerror(errno) : "it could not be opened")};

    // Read in one go where the size is known (into memory that need not be
    // cleared first), then whatever more there is.
    std::error_code sizeError;
    auto size = std::filesystem::file_size(path, sizeError);
    if (sizeError)
        size = 0;
    const auto whole = std::make_unique_for_overwrite<char[]>(size);
    const auto got = std::fread(whole.get(), 1, size, file.get());
    std::string rest;
    char buffer[1 << 16];
    for (std::size_t more = 0; (more = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;)
        rest.append(buffer, more);
    if (std::ferror(file.get()))
        return {{}, cannotRead(path, errno ? std::strerror(errno) : "reading it failed")};

    if (rest.empty())
        return {readLevels({whole.get(), got}), {}};
    return {readLevels(std::string(whole.get(), got) + rest), {}};
}

} // namespace lapidor
