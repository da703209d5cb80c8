#include "levels/LevelsReader.h"

#include "files/RegularFile.h"

#include <new>
#include <system_error>

namespace lapidor {

namespace {

constexpr std::string_view levelMarker = "[LEVEL=";
constexpr std::string_view thresholdMarker = "XP=";
constexpr std::string_view labelEnd = " XP";
constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";
constexpr auto npos = std::string_view::npos;

// The label runs from the end of "[LEVEL=" to the first " XP". Without
// "[LEVEL=" it runs from the seventh character, as if the marker stood
// just before the line.
constexpr std::size_t labelStartWithoutMarker = 6;

std::size_t occurrences(std::string_view text, std::string_view marker)
{
    std::size_t count = 0;
    for (auto at = text.find(marker); at != npos; at = text.find(marker, at + marker.size()))
        ++count;
    return count;
}

bool startsWithUtf16Mark(std::string_view text)
{
    return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF");
}

bool isBlank(std::string_view line)
{
    return line.find_first_not_of(" \t") == npos;
}

// Fills the table line by line, counting what it holds against a limit,
// and notes the first line that does not give exactly one level.
class TableFiller {
public:
    TableFiller(LevelsFile& file, std::size_t memoryLimit) : file_(file), memoryLimit_(memoryLimit) {}

    // Room for as many levels as the text has "XP=" markers: no line can
    // add more, so the lists never regrow, whatever else the text holds.
    void reserve(std::size_t levels)
    {
        hold(2 * levels * sizeof(std::string));
        file_.table.labels.reserve(levels);
        file_.table.thresholds.reserve(levels);
    }

    void readLine(std::size_t number, std::string_view line)
    {
        const auto levelAt = line.find(levelMarker);
        const auto labelStart = levelAt == npos ? labelStartWithoutMarker : levelAt + levelMarker.size();
        const auto labelStop = line.find(labelEnd);

        // A line with no room for a label (no " XP", or " XP" before
        // "[LEVEL=") adds nothing at all, so later rows keep their pairing.
        if (labelStop == npos || labelStop < labelStart) {
            if (!isBlank(line))
                noteIrregular(number, withoutLabel(line, levelAt, labelStop));
            return;
        }
        const auto thresholds = appendThresholds(line);
        append(file_.table.labels, line.substr(labelStart, labelStop - labelStart));
        if (thresholds == 0)
            noteIrregular(number, "has no XP value closed by ']'");
        else if (thresholds > 1)
            noteIrregular(number, "has " + (thresholds == 2 ? std::string("two") : std::to_string(thresholds))
                                      + " XP values");
    }

private:
    std::size_t appendThresholds(std::string_view line)
    {
        std::size_t added = 0;
        auto marker = line.find(thresholdMarker);
        while (marker != npos) {
            const auto pieceStart = marker + thresholdMarker.size();
            const auto nextMarker = line.find(thresholdMarker, pieceStart);
            const auto piece = line.substr(pieceStart, nextMarker == npos ? npos : nextMarker - pieceStart);
            const auto close = piece.find(']');
            if (close != npos && close > 0) {
                append(file_.table.thresholds, piece.substr(0, close));
                ++added;
            }
            marker = nextMarker;
        }
        return added;
    }

    static std::string withoutLabel(std::string_view line, std::size_t levelAt, std::size_t labelStop)
    {
        if (labelStop == npos)
            return line.find(thresholdMarker) == npos ? "has no XP value" : "has no space before 'XP='";
        if (levelAt == npos)
            return "has no '[LEVEL='";
        return "has ' XP' before '[LEVEL='";
    }

    void append(std::vector<std::string>& list, std::string_view text)
    {
        hold(text.size());
        list.emplace_back(text);
    }

    void hold(std::size_t bytes)
    {
        if (bytes > memoryLimit_ - held_)
            throw std::bad_alloc();
        held_ += bytes;
    }

    void noteIrregular(std::size_t number, std::string problem)
    {
        if (!file_.firstIrregularLine)
            file_.firstIrregularLine = IrregularLine{number, std::move(problem)};
    }

    LevelsFile& file_;
    std::size_t memoryLimit_;
    std::size_t held_ = 0;
};

void fill(LevelsFile& file, std::string_view text, std::size_t memoryLimit)
{
    TableFiller filler(file, memoryLimit);
    filler.reserve(occurrences(text, thresholdMarker));
    std::size_t number = 1;
    std::size_t lineStart = 0;
    while (lineStart < text.size()) {
        auto end = lineStart;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        filler.readLine(number++, text.substr(lineStart, end - lineStart));
        if (end == text.size())
            break;
        lineStart = end + 1;
        if (text[end] == '\r' && lineStart < text.size() && text[lineStart] == '\n')
            ++lineStart;
    }
}

// The folder a path leads into; empty when the working folder a relative
// path starts from no longer exists.
std::filesystem::path folderOf(const std::filesystem::path& path)
{
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? std::filesystem::path() : absolute.parent_path();
}

} // namespace

LevelsFile readLevels(std::string_view fileText, std::size_t memoryLimit)
{
    LevelsFile file;
    if (startsWithUtf16Mark(fileText)) {
        file.unreadable = "it is saved as UTF-16, which Lapidor cannot read; save it as UTF-8 or plain text";
        return file;
    }
    if (fileText.starts_with(utf8Mark))
        fileText.remove_prefix(utf8Mark.size());
    try {
        file.table.encoding = isUtf8(fileText) ? TextEncoding::Utf8 : TextEncoding::Latin1;
        fill(file, fileText, memoryLimit);
    } catch (const std::bad_alloc&) {
        return {{}, std::string(notEnoughMemory), {}, {}};
    }
    return file;
}

LevelsFile readLevelsFile(const std::filesystem::path& path, std::size_t memoryLimit)
{
    auto folder = folderOf(path);
    if (folder.empty())
        return {{}, "the folder Lapidor was started in no longer exists", {}, {}};
    LevelsFile file;
    try {
        auto contents = readRegularFile(path, largestLevelsFile);
        if (!contents.problem.empty())
            file.unreadable = std::move(contents.problem);
        else if (contents.bytes.size() > memoryLimit)
            file.unreadable = notEnoughMemory;
        else
            file = readLevels(contents.bytes, memoryLimit - contents.bytes.size());
    } catch (const std::bad_alloc&) {
        file = {{}, std::string(notEnoughMemory), {}, {}};
    }
    file.folder = std::move(folder);
    return file;
}

} // namespace lapidor
