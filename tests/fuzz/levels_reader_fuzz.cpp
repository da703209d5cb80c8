// The levels reader on arbitrary bytes.
#include "levels/LevelsReader.h"
#include "tests/fuzz/Check.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

using namespace lapidor;

namespace {

std::size_t occurrences(std::string_view text, std::string_view marker)
{
    std::size_t count = 0;
    for (auto at = text.find(marker); at != std::string_view::npos; at = text.find(marker, at + marker.size()))
        ++count;
    return count;
}

// The same text with every CR LF written as a lone LF, as Linux editors write it.
std::string withLinuxLineEnds(std::string_view text)
{
    std::string linux;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            linux += text[i];
    return linux;
}

std::vector<std::string> labelsOf(const LevelTable& table)
{
    std::vector<std::string> items;
    for (std::size_t row = 0; row < table.labelCount(); ++row)
        items.emplace_back(table.label(std::ptrdiff_t(row)));
    return items;
}

std::vector<std::string> thresholdsOf(const LevelTable& table)
{
    std::vector<std::string> items;
    for (std::size_t row = 0; row < table.thresholdCount(); ++row)
        items.emplace_back(table.threshold(std::ptrdiff_t(row)));
    return items;
}

// The same text read in pieces of the given size, as a file is read.
LevelsFile readInPieces(std::string_view text, std::size_t pieceSize)
{
    LevelsReader reader;
    reader.starting(text.size());
    for (std::size_t at = 0; at < text.size(); at += pieceSize)
        reader.take(text.substr(at, pieceSize));
    return reader.finish();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto file = readLevels(text);
    const auto& table = file.table;
    const auto labels = labelsOf(table);
    const auto thresholds = thresholdsOf(table);

    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        FUZZ_CHECK(file.failure == LevelsFile::Failure::Utf16 && labels.empty() && thresholds.empty());
        return 0;
    }
    FUZZ_CHECK(file.failure == LevelsFile::Failure::None);

    // No item holds a line end: CR LF, a lone CR and a lone LF each end a line.
    for (const auto* list : {&labels, &thresholds})
        for (const auto& item : *list)
            FUZZ_CHECK(item.find_first_of("\r\n") == std::string_view::npos);

    // Each line adds at most one label and one threshold per "XP=".
    const std::size_t lines = std::count(text.begin(), text.end(), '\r') + std::count(text.begin(), text.end(), '\n')
        - occurrences(text, "\r\n") + 1;
    FUZZ_CHECK(labels.size() <= lines);
    FUZZ_CHECK(labels.size() + thresholds.size() <= occurrences(text, "XP=") + lines);

    // A threshold never holds the markers that delimit it.
    for (const auto& threshold : thresholds) {
        FUZZ_CHECK(!threshold.empty());
        FUZZ_CHECK(threshold.find(']') == std::string_view::npos);
        FUZZ_CHECK(threshold.find("XP=") == std::string_view::npos);
    }

    // Without an irregular line the lists are in step; the line named lies in the text.
    if (!file.firstIrregularLine)
        FUZZ_CHECK(labels.size() == thresholds.size());
    else
        FUZZ_CHECK(file.firstIrregularLine->number >= 1 && file.firstIrregularLine->number <= lines);

    // A file of blanks and line ends gives no level; a level or XP value
    // named in a warning stands in the table as named, as UTF-8.
    if (file.blank)
        FUZZ_CHECK(labels.empty() && thresholds.empty());
    if (const auto& level = file.firstMisnumberedLevel)
        FUZZ_CHECK(level->row < labels.size() && toUtf8(labels[level->row], table.encoding()) == level->label);
    if (const auto& odd = file.firstOddThreshold)
        FUZZ_CHECK(odd->row < thresholds.size() && toUtf8(thresholds[odd->row], table.encoding()) == odd->text);

    // LF line ends give the same table as CR LF ones.
    const auto twin = readLevels(withLinuxLineEnds(text));
    FUZZ_CHECK(labelsOf(twin.table) == labels && thresholdsOf(twin.table) == thresholds);
    FUZZ_CHECK(twin.table.encoding() == table.encoding());

    // Read in pieces, as from disk, wherever the pieces end, the text gives
    // the same table and says the same of it.
    for (const std::size_t pieceSize : {std::size_t(1), std::size_t(2), std::size_t(3), size / 2 + 1}) {
        const auto pieces = readInPieces(text, pieceSize);
        FUZZ_CHECK(labelsOf(pieces.table) == labels && thresholdsOf(pieces.table) == thresholds);
        FUZZ_CHECK(pieces.table.encoding() == table.encoding() && pieces.table.ascending() == table.ascending());
        FUZZ_CHECK(pieces.firstIrregularLine.has_value() == file.firstIrregularLine.has_value());
        if (file.firstIrregularLine)
            FUZZ_CHECK(pieces.firstIrregularLine->number == file.firstIrregularLine->number
                       && pieces.firstIrregularLine->problem == file.firstIrregularLine->problem);
        const auto lineOf = [](const auto& found) { return found ? found->line : 0; };
        FUZZ_CHECK(pieces.blank == file.blank && lineOf(pieces.firstOddThreshold) == lineOf(file.firstOddThreshold)
                   && lineOf(pieces.firstMisnumberedLevel) == lineOf(file.firstMisnumberedLevel));
    }

    // A limit on memory gives either the same table or none, for want of memory.
    try {
        const auto limited = readLevels(text, (size % 4) * size + 64);
        FUZZ_CHECK(labelsOf(limited.table) == labels && thresholdsOf(limited.table) == thresholds);
    } catch (const std::bad_alloc&) {
    }
    return 0;
}
