#include "levels/LevelsReader.h"

#include "files/RegularFile.h"
#include "text/Numbers.h"
#include "text/ShownText.h"

#include <algorithm>
#include <cctype>

#include <cstring>
#include <limits>
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

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Whether the line holds the word, in any case, with no letter joined to
// it: "levels" does not mention LEVEL, nor "experience" XP.
bool mentions(std::string_view line, std::string_view word)
{
    const auto sameLetter = [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; };
    for (auto at = line.begin();; ++at) {
        at = std::search(at, line.end(), word.begin(), word.end(), sameLetter);
        if (at == line.end())
            return false;
        const auto end = at + std::ptrdiff_t(word.size());
        if ((at == line.begin() || !isAsciiLetter(at[-1])) && (end == line.end() || !isAsciiLetter(*end)))
            return true;
    }
}

// A note or a title: a line that mentions neither the word LEVEL nor XP,
// in any case, means no level, so it reads like a blank line.
bool isNote(std::string_view line)
{
    return !mentions(line, "LEVEL") && !mentions(line, "XP");
}

// For a line with blanks between "XP" or "LEVEL" and "=", or right after
// "=": the marker as it should be written, such as "XP=400"; nothing when
// the line has no such blanks.
std::optional<std::string> writtenWithoutBlanks(std::string_view line)
{
    constexpr std::string_view blanks = " \t";
    for (const std::string_view marker : {"XP", "LEVEL"}) {
        for (auto at = line.find(marker); at != npos; at = line.find(marker, at + 1)) {
            const auto equals = line.find_first_not_of(blanks, at + marker.size());
            if (equals == npos || line[equals] != '=')
                continue;
            const auto value = line.find_first_not_of(blanks, equals + 1);
            if (equals == at + marker.size() && value == equals + 1)
                continue; // written as it should be
            const auto valueEnd = value == npos ? npos : line.find_first_of(" \t]", value);
            const auto written = value == npos ? std::string_view() : line.substr(value, valueEnd - value);
            return std::string(marker) + "=" + shownText(cutShort(written, longestQuotedText, "..."));
        }
    }
    return std::nullopt;
}

// Where the next line end (CR or LF) lies at or after a position: two
// memchr searches that each move on only once passed, rather than a look
// at every byte.
class LineEnds {
public:
    explicit LineEnds(std::string_view text)
        : text_(text)
        , cr_(find('\r', 0))
        , lf_(find('\n', 0))
    {
    }

    std::size_t next(std::size_t from)
    {
        if (cr_ < from)
            cr_ = find('\r', from);
        if (lf_ < from)
            lf_ = find('\n', from);
        return std::min(cr_, lf_);
    }

private:
    std::size_t find(char c, std::size_t from) const
    {
        const void* at = std::memchr(text_.data() + from, c, text_.size() - from);
        return at ? std::size_t(static_cast<const char*>(at) - text_.data()) : text_.size();
    }

    std::string_view text_;
    std::size_t cr_;
    std::size_t lf_;
};

// Fills the table's lists line by line with pieces of its text, within a
// limit on the memory they may take, and notes the first line that does
// not give exactly one level.
class TableFiller {
public:
    TableFiller(LevelsFile& file, std::string_view text, std::size_t memoryLimit)
        : file_(file)
        , text_(text)
        , memoryLimit_(memoryLimit)
    {
    }

    void fill()
    {
        // Room for as many labels as the text has " XP" and as many
        // thresholds as it has "XP=": no line can add more, so the lists
        // never regrow, whatever else the text holds.
        const auto labels = occurrences(text_, labelEnd);
        const auto thresholds = occurrences(text_, thresholdMarker);
        if ((labels + thresholds) * sizeof(TextPiece) > memoryLimit_)
            throw std::bad_alloc();
        file_.table.labels.reserve(labels);
        file_.table.thresholds.reserve(thresholds);

        LineEnds ends(text_);
        std::size_t number = 1;
        for (std::size_t lineStart = 0; lineStart < text_.size(); ++number) {
            const auto end = ends.next(lineStart);
            readLine(number, text_.substr(lineStart, end - lineStart));
            if (end == text_.size())
                break;
            lineStart = end + 1;
            if (text_[end] == '\r' && lineStart < text_.size() && text_[lineStart] == '\n')
                ++lineStart;
        }
    }

private:
    void readLine(std::size_t number, std::string_view line)
    {
        const auto levelAt = line.find(levelMarker);
        const auto labelStart = levelAt == npos ? labelStartWithoutMarker : levelAt + levelMarker.size();
        const auto labelStop = line.find(labelEnd);

        // A line with no room for a label (no " XP", or " XP" before
        // "[LEVEL=") adds nothing at all: later labels and thresholds stay
        // paired, though each now stands one row earlier.
        if (labelStop == npos || labelStop < labelStart) {
            if (!isBlank(line) && !isNote(line))
                noteIrregular(number, line, withoutLabel(line, levelAt, labelStop), true);
            return;
        }
        const auto thresholds = appendThresholds(number, line);
        append(file_.table.labels, line.substr(labelStart, labelStop - labelStart));
        if (thresholds == 0)
            noteIrregular(number, line, "has no XP value closed by ']'");
        else if (thresholds > 1)
            noteIrregular(number, line,
                          "has " + (thresholds == 2 ? std::string("two") : std::to_string(thresholds)) + " XP values");
    }

    std::size_t appendThresholds(std::size_t number, std::string_view line)
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
                checkOrder(number, piece.substr(0, close));
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

    // Room for every piece was reserved, so this never allocates.
    void append(std::vector<TextPiece>& list, std::string_view piece)
    {
        list.push_back({std::uint32_t(piece.data() - file_.table.text.data()), std::uint32_t(piece.size())});
    }

    // Blanks around "=" are named as such, whatever else they cause.
    void noteIrregular(std::size_t number, std::string_view line, std::string problem, bool givesNoLevel = false)
    {
        if (file_.firstIrregularLine)
            return;
        if (const auto written = writtenWithoutBlanks(line))
            problem = "has blanks around '=': write " + *written + ", without blanks around '='";
        file_.firstIrregularLine = IrregularLine{number, std::move(problem), givesNoLevel};
    }

    // Notes the first threshold that is not a number, and the first that
    // is not above the one before it (or not above 0, after the first).
    void checkOrder(std::size_t number, std::string_view threshold)
    {
        const auto row = file_.table.thresholds.size() - 1;
        const auto value = wholeNumber(threshold);
        if (!value) {
            if (!file_.firstUnreadableThreshold)
                file_.firstUnreadableThreshold
                    = UnreadableThreshold{number, row, std::string(threshold), leadingNumber(threshold)};
            previous_.reset();
            return;
        }
        if (previous_ && !file_.firstThresholdOutOfOrder && (*value <= previous_->value || *value <= 0))
            file_.firstThresholdOutOfOrder = ThresholdOutOfOrder{
                number,          row, std::string(threshold), *value, previous_->line, std::string(previous_->text),
                previous_->value};
        previous_ = Previous{number, threshold, *value};
    }
    struct Previous {
        std::size_t line;
        std::string_view text;
        double value;
    };

    LevelsFile& file_;
    std::string_view text_;
    std::size_t memoryLimit_;
    std::optional<Previous> previous_; // the last threshold read, when it is a number
};

// The folder a path leads into; empty when the working folder a relative
// path starts from no longer exists.
std::filesystem::path folderOf(const std::filesystem::path& path)
{
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? std::filesystem::path() : absolute.parent_path();
}

LevelsFile notRead(LevelsFile::Failure failure, std::string reason)
{
    LevelsFile file;
    file.failure = failure;
    file.unreadable = std::move(reason);
    return file;
}

} // namespace

LevelsFile outOfMemory(std::filesystem::path folder)
{
    auto file = notRead(LevelsFile::Failure::Memory, "there is not enough memory to read it");
    file.folder = std::move(folder);
    return file;
}

LevelsFile readLevels(std::string fileText, std::size_t memoryLimit)
{
    if (startsWithUtf16Mark(fileText))
        return notRead(LevelsFile::Failure::File,
                       "it is saved as UTF-16, which Lapidor cannot read; save it as UTF-8 or plain text");
    if (fileText.size() > std::numeric_limits<std::uint32_t>::max())
        return notRead(LevelsFile::Failure::File, "it is too large");
    LevelsFile file;
    try {
        if (fileText.size() > memoryLimit)
            throw std::bad_alloc();
        file.table.text = std::move(fileText);
        std::string_view text = file.table.text;
        if (text.starts_with(utf8Mark))
            text.remove_prefix(utf8Mark.size());
        file.table.encoding = isUtf8(text) ? TextEncoding::Utf8 : TextEncoding::Latin1;
        TableFiller(file, text, memoryLimit - file.table.text.size()).fill();
    } catch (const std::bad_alloc&) {
        return outOfMemory({});
    }
    return file;
}

LevelsFile readLevelsFile(const std::filesystem::path& path, std::size_t memoryLimit)
{
    auto folder = folderOf(path);
    if (folder.empty())
        return notRead(LevelsFile::Failure::WorkingFolder, "the folder Lapidor was started in no longer exists");
    LevelsFile file;
    try {
        auto contents = readRegularFile(path, largestLevelsFile);
        if (contents.problem.empty())
            file = readLevels(std::move(contents.bytes), memoryLimit);
        else
            file = notRead(LevelsFile::Failure::File, std::move(contents.problem));
    } catch (const std::bad_alloc&) {
        file = outOfMemory({});
    }
    file.folder = std::move(folder);
    return file;
}

} // namespace lapidor
