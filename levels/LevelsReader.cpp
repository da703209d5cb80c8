#include "levels/LevelsReader.h"

#include "files/RegularFile.h"
#include "text/Numbers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <system_error>
#include <utility>

namespace lapidor {

namespace {

constexpr std::string_view levelMarker = "[LEVEL=";
constexpr std::string_view thresholdMarker = "XP=";
constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";
constexpr auto npos = std::string_view::npos;

// The label runs from the end of "[LEVEL=" to the first " XP". Without
// "[LEVEL=" it runs from the seventh character, as if the marker stood
// just before the line.
constexpr std::size_t labelStartWithoutMarker = 6;

bool startsWithUtf16Mark(std::string_view text)
{
    return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF");
}

bool isBlank(std::string_view line)
{
    return line.find_first_not_of(" \t") == npos;
}

// Where the word stands in a line from `from` on, in any case, followed
// after any blanks or tabs by "=", as in "XP=", "level =" or "Xp\t="; npos
// when it stands nowhere so.
std::size_t markerAt(std::string_view line, std::string_view word, std::size_t from = 0)
{
    const auto sameLetter = [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; };
    for (auto at = line.begin() + std::ptrdiff_t(from);; ++at) {
        at = std::search(at, line.end(), word.begin(), word.end(), sameLetter);
        if (at == line.end())
            return npos;
        const auto position = std::size_t(at - line.begin());
        const auto equals = line.find_first_not_of(" \t", position + word.size());
        if (equals != npos && line[equals] == '=')
            return position;
    }
}

// A line meant to give a level: one that holds LEVEL or XP before "=", in
// any case. Any other line that gives no level (a note, a title, "level 100
// onwards") reads like a blank line.
bool meansALevel(std::string_view line)
{
    return markerAt(line, "LEVEL") != npos || markerAt(line, "XP") != npos;
}

// The first marker before "=" that is not written in capitals, such as
// "level" in "[level=1"; empty when there is none.
std::string_view lowerCaseMarker(std::string_view line)
{
    for (const std::string_view word : {"LEVEL", "XP"})
        for (auto at = markerAt(line, word); at != npos; at = markerAt(line, word, at + 1))
            if (line.substr(at, word.size()) != word)
                return line.substr(at, word.size());
    return {};
}

// A number written in plain digits, blanks at its ends aside: its digits
// without the leading zeros ("" for "0"); nothing for any other text.
// Every label and XP value passes here, so it looks at each character once.
std::optional<std::string_view> plainNumber(std::string_view text)
{
    const char* start = text.data();
    const char* end = start + text.size();
    while (start < end && (*start == ' ' || *start == '\t'))
        ++start;
    while (end > start && (end[-1] == ' ' || end[-1] == '\t'))
        --end;
    if (start == end)
        return std::nullopt;
    const char* significant = start;
    while (significant < end && *significant == '0')
        ++significant;
    for (const char* at = significant; at < end; ++at)
        if (static_cast<unsigned char>(*at - '0') > 9)
            return std::nullopt;
    return std::string_view(significant, std::size_t(end - significant));
}

// The next whole number, its decimal digits counted up in place.
void countUp(std::string& digits)
{
    for (auto at = digits.size(); at-- > 0;) {
        if (digits[at] != '9') {
            ++digits[at];
            return;
        }
        digits[at] = '0';
    }
    digits.insert(digits.begin(), '1');
}

struct MarkerWithBlanks {
    std::string_view marker;
    std::string_view value;
};

// For a line with blanks between "XP" or "LEVEL" and "=", or right after
// "=": that marker and the value after the "=", which belong together as
// in "XP=400"; nothing when the line has no such blanks.
std::optional<MarkerWithBlanks> blanksAroundEquals(std::string_view line)
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
            return MarkerWithBlanks{marker, value == npos ? std::string_view() : line.substr(value, valueEnd - value)};
        }
    }
    return std::nullopt;
}

// Where a line's markers stand, found in one pass over it.
struct Markers {
    std::string_view line;
    std::size_t levelAt = npos;   // the first "[LEVEL="
    std::size_t labelStop = npos; // the first " XP"
    std::size_t xpAt = npos;      // the first "XP="
};

// memchr finds the few bytes that can begin a marker, so the rest of the
// line is passed over at its speed.
Markers markersIn(std::string_view line)
{
    Markers markers{line};
    const char* const start = line.data();
    const char* const end = start + line.size();
    const auto next = [end](const char* from, char c) {
        return static_cast<const char*>(std::memchr(from, c, std::size_t(end - from)));
    };
    for (const char* at = next(start, '['); at; at = next(at + 1, '[')) {
        if (std::string_view(at, std::size_t(end - at)).starts_with(levelMarker)) {
            markers.levelAt = std::size_t(at - start);
            break;
        }
    }
    for (const char* at = next(start, 'X'); at; at = next(at + 1, 'X')) {
        if (at + 1 == end || at[1] != 'P')
            continue;
        if (markers.labelStop == npos && at > start && at[-1] == ' ')
            markers.labelStop = std::size_t(at - 1 - start);
        if (markers.xpAt == npos && at + 2 < end && at[2] == '=')
            markers.xpAt = std::size_t(at - start);
        if (markers.labelStop != npos && markers.xpAt != npos)
            break;
    }
    return markers;
}

// What a line that gives no label lacks.
IrregularLine::Problem withoutLabel(const Markers& markers)
{
    if (markers.labelStop == npos) {
        if (markers.xpAt == npos)
            return IrregularLine::Problem::NoXpValue;
        return markers.xpAt > 0 && markers.line[markers.xpAt - 1] == '\t' ? IrregularLine::Problem::TabBeforeXp
                                                                          : IrregularLine::Problem::NoSpaceBeforeXp;
    }
    if (markers.levelAt == npos)
        return IrregularLine::Problem::NoLevelMarker;
    return IrregularLine::Problem::XpBeforeLevelMarker;
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
        if (from >= text_.size()) // an empty text may have no bytes at all to point at
            return text_.size();
        const void* at = std::memchr(text_.data() + from, c, text_.size() - from);
        return at ? std::size_t(static_cast<const char*>(at) - text_.data()) : text_.size();
    }

    std::string_view text_;
    std::size_t cr_;
    std::size_t lf_;
};

} // namespace

std::filesystem::path folderOf(const std::filesystem::path& path)
{
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? std::filesystem::path() : absolute.parent_path();
}

LevelsReader::LevelsReader(std::size_t memoryLimit)
    : memoryLimit_(memoryLimit)
{
}

void LevelsReader::starting(std::uintmax_t size)
{
    // Room for the most that the lists can take, asked for once: the
    // memory is only given as it is written, and never moved. Neither
    // list's text is longer than the file, and each notes where every
    // sixteenth item begins.
    const auto listBytes = size + (size / LevelTable::ItemList::itemsPerBlock + 1) * sizeof(std::uint32_t);
    if (size > std::numeric_limits<std::uint32_t>::max() / 2 || 2 * listBytes > memoryLimit_)
        throw std::bad_alloc();
    file_.table.labels_.reserve(std::size_t(size));
    file_.table.thresholds_.reserve(std::size_t(size));
}

void LevelsReader::take(std::string_view chunk)
{
    if (file_.failure != LevelsFile::Failure::None)
        return;
    if (!started_) {
        // The first three bytes tell a byte-order mark.
        const auto wanted = std::min(chunk.size(), utf8Mark.size() - start_.size());
        start_.append(chunk.substr(0, wanted));
        chunk.remove_prefix(wanted);
        if (start_.size() < utf8Mark.size())
            return;
        started_ = true;
        if (startsWithUtf16Mark(start_)) {
            file_.failure = LevelsFile::Failure::Utf16;
            return;
        }
        takeLines(start_ == utf8Mark ? std::string_view() : std::string_view(start_));
    }
    takeLines(chunk);
}

LevelsFile LevelsReader::finish()
{
    if (!started_) {
        started_ = true;
        if (startsWithUtf16Mark(start_))
            file_.failure = LevelsFile::Failure::Utf16;
        else
            takeLines(start_);
    }
    if (file_.failure != LevelsFile::Failure::None) {
        LevelsFile notRead;
        notRead.failure = file_.failure;
        return notRead;
    }
    if (!partLine_.empty())
        readLine(partLine_);
    file_.table.encoding_ = utf8_.finish() ? TextEncoding::Utf8 : TextEncoding::Latin1;
    // What the warnings quote, as UTF-8 now that the file's encoding is known.
    const auto decode = [encoding = file_.table.encoding_](std::string& text) { text = toUtf8(text, encoding); };
    if (file_.firstIrregularLine)
        decode(file_.firstIrregularLine->value);
    if (auto& level = file_.firstMisnumberedLevel) {
        decode(level->label);
        decode(level->threshold);
    }
    if (file_.firstOddThreshold)
        decode(file_.firstOddThreshold->text);
    if (auto& order = file_.firstThresholdOutOfOrder) {
        decode(order->text);
        decode(order->previousText);
    }
    file_.table.ascending_ = !unreadableThreshold_ && !file_.firstThresholdOutOfOrder;
    return std::move(file_);
}

// Reads the lines the text ends, and keeps a line it does not end for the
// next piece.
void LevelsReader::takeLines(std::string_view text)
{
    if (text.empty())
        return;
    utf8_.take(text);
    std::size_t from = 0;
    if (afterCr_ && !text.empty()) {
        afterCr_ = false;
        if (text.front() == '\n')
            from = 1;
    }
    LineEnds ends(text);
    while (from < text.size()) {
        const auto end = ends.next(from);
        if (end == text.size()) {
            partLine_.append(text.substr(from));
            return;
        }
        if (partLine_.empty()) {
            readLine(text.substr(from, end - from));
        } else {
            partLine_.append(text.substr(from, end - from));
            readLine(partLine_);
            partLine_.clear();
        }
        ++lineNumber_;
        from = end + 1;
        if (text[end] == '\r') {
            if (from == text.size())
                afterCr_ = true;
            else if (text[from] == '\n')
                ++from;
        }
    }
}

void LevelsReader::readLine(std::string_view line)
{
    const auto markers = markersIn(line);
    const auto levelAt = markers.levelAt;
    const auto labelStart = levelAt == npos ? labelStartWithoutMarker : levelAt + levelMarker.size();
    const auto labelStop = markers.labelStop;
    if (file_.blank && !isBlank(line))
        file_.blank = false;

    // A line with no room for a label (no " XP", or " XP" before
    // "[LEVEL=") adds nothing at all: later labels and thresholds stay
    // paired, though each now stands one row earlier.
    if (labelStop == npos || labelStop < labelStart) {
        if (meansALevel(line))
            noteIrregular(line, withoutLabel(markers), true);
        return;
    }
    const auto thresholds = appendThresholds(line, markers.xpAt);
    const auto label = line.substr(labelStart, labelStop - labelStart);
    append(file_.table.labels_, label);
    checkPlace(label);
    if (thresholds == 0)
        noteIrregular(line, IrregularLine::Problem::NoClosedXpValue);
    else if (thresholds > 1)
        noteIrregular(line, IrregularLine::Problem::SeveralXpValues, false, thresholds);
}

// Each "XP=" from the first one, at `marker`, gives a threshold when its
// piece (up to the next "XP=" or the line's end) holds a ']' after at least
// one character: the threshold runs up to that ']'.
std::size_t LevelsReader::appendThresholds(std::string_view line, std::size_t marker)
{
    std::size_t added = 0;
    while (marker != npos) {
        const auto pieceStart = marker + thresholdMarker.size();
        const auto nextMarker = line.find(thresholdMarker, pieceStart);
        const auto piece = line.substr(pieceStart, nextMarker == npos ? npos : nextMarker - pieceStart);
        if (const auto close = piece.find(']'); close != npos && close > 0) {
            const auto threshold = piece.substr(0, close);
            append(file_.table.thresholds_, threshold);
            checkOrder(threshold);
            ++added;
        }
        marker = nextMarker;
    }
    return added;
}

// Notes the first threshold that is not plain digits, and the first that
// is not above the one before it (or not above 0, after the first).
void LevelsReader::checkOrder(std::string_view threshold)
{
    const auto row = file_.table.thresholds_.count - 1;
    // Up to 15 plain digits read exactly, and as written: nearly every XP
    // value is such, so it is read here at once.
    const auto digits = plainNumber(threshold);
    const bool plain = digits && digits->size() <= 15;
    std::optional<double> value;
    if (plain) {
        std::uint64_t number = 0;
        for (const char digit : *digits)
            number = 10 * number + std::uint64_t(digit - '0');
        value = double(number);
    } else {
        value = wholeNumber(threshold);
        if (!file_.firstOddThreshold) {
            const auto reading = !value ? OddThreshold::Reading::NotANumber
                : std::isinf(*value)    ? OddThreshold::Reading::TooLarge
                : digits                ? OddThreshold::Reading::LongNumber
                                        : OddThreshold::Reading::Number;
            file_.firstOddThreshold
                = OddThreshold{lineNumber_, row, std::string(threshold), reading, leadingNumber(threshold)};
        }
    }
    if (!value) {
        unreadableThreshold_ = true;
        previous_.reset();
        return;
    }
    if (previous_ && !file_.firstThresholdOutOfOrder && (*value <= previous_->value || *value <= 0))
        file_.firstThresholdOutOfOrder
            = ThresholdOutOfOrder{lineNumber_,
                                  row,
                                  std::string(threshold),
                                  *value,
                                  previous_->line,
                                  std::string(file_.table.thresholds_.at(std::ptrdiff_t(row) - 1)),
                                  previous_->value};
    previous_ = Previous{lineNumber_, *value};
}

// Once the first label is a number, each label must be its place in the
// file, counted from 1, since a typed level is found by its place: notes
// the first that is not.
void LevelsReader::checkPlace(std::string_view label)
{
    if (file_.table.labels_.count == 1)
        numbered_ = plainNumber(label).has_value();
    if (!numbered_ || file_.firstMisnumberedLevel)
        return;
    countUp(place_);
    if (label == place_) // as nearly every label is written
        return;
    const auto digits = plainNumber(label);
    if (digits == place_)
        return;
    auto kind = MisnumberedLevel::Label::NotANumber;
    if (digits)
        kind = std::pair(digits->size(), *digits) > std::pair(place_.size(), std::string_view(place_))
            ? MisnumberedLevel::Label::Higher
            : MisnumberedLevel::Label::Lower;
    const auto row = file_.table.labels_.count - 1;
    file_.firstMisnumberedLevel = MisnumberedLevel{lineNumber_, row, std::string(label),
                                                   std::string(file_.table.thresholds_.at(std::ptrdiff_t(row))), kind};
}

// A marker in lower case, and else blanks around "=", are named as such,
// whatever else they cause.
void LevelsReader::noteIrregular(std::string_view line, IrregularLine::Problem problem, bool givesNoLevel,
                                 std::size_t xpValues)
{
    if (file_.firstIrregularLine)
        return;
    IrregularLine irregular{lineNumber_, problem, givesNoLevel, xpValues, {}, {}};
    if (const auto marker = lowerCaseMarker(line); !marker.empty()) {
        irregular.problem = IrregularLine::Problem::LowerCaseMarker;
        irregular.marker = marker;
    } else if (const auto blanks = blanksAroundEquals(line)) {
        irregular.problem = IrregularLine::Problem::BlanksAroundEquals;
        irregular.marker = blanks->marker;
        irregular.value = blanks->value;
    }
    file_.firstIrregularLine = std::move(irregular);
}

// Room for every item was asked for by the file's size; a file that grew
// since, or a text given without its size, may need more, within the limit.
void LevelsReader::append(LevelTable::ItemList& list, std::string_view item)
{
    const auto needed = list.text.size() + item.size() + 1;
    if (needed > list.text.capacity()) {
        const auto grown = std::max(needed, 2 * list.text.capacity());
        const auto& other = &list == &file_.table.labels_ ? file_.table.thresholds_ : file_.table.labels_;
        if (grown + other.text.capacity() > memoryLimit_)
            throw std::bad_alloc();
        list.reserve(grown);
    }
    list.append(item);
}

LevelsFile readLevels(std::string_view fileText, std::size_t memoryLimit)
{
    LevelsReader reader(memoryLimit);
    reader.starting(fileText.size());
    reader.take(fileText);
    return reader.finish();
}

LevelsFile readLevelsFile(const std::filesystem::path& path, std::size_t memoryLimit)
{
    LevelsFile file;
    auto folder = folderOf(path);
    if (folder.empty()) {
        file.failure = LevelsFile::Failure::WorkingFolder;
        return file;
    }
    LevelsReader reader(memoryLimit);
    if (auto problem = readRegularFile(path, largestLevelsFile, reader)) {
        file.failure = LevelsFile::Failure::File;
        file.problem = std::move(problem);
    } else {
        file = reader.finish();
    }
    file.folder = std::move(folder);
    return file;
}

} // namespace lapidor
