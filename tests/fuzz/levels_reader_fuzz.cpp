// The levels reader on arbitrary bytes.
#include "levels/LevelsReader.h"
#include "tests/fuzz/Check.h"

#include <algorithm>
#include <cstdint>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto file = readLevels(std::string(text));
    const auto& table = file.table;
    const auto labels = table.labelTexts();
    const auto thresholds = table.thresholdTexts();

    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        FUZZ_CHECK(!file.unreadable.empty() && table.labels.empty() && table.thresholds.empty());
        return 0;
    }
    FUZZ_CHECK(file.unreadable.empty());

    // No item holds a line end: CR LF, a lone CR and a lone LF each end a line.
    for (const auto* list : {&labels, &thresholds})
        for (const auto item : *list)
            FUZZ_CHECK(item.find_first_of("\r\n") == std::string_view::npos);

    // Each line adds at most one label and one threshold per "XP=".
    const std::size_t lines = std::count(text.begin(), text.end(), '\r') + std::count(text.begin(), text.end(), '\n')
        - occurrences(text, "\r\n") + 1;
    FUZZ_CHECK(table.labels.size() <= lines);
    FUZZ_CHECK(table.labels.size() + table.thresholds.size() <= occurrences(text, "XP=") + lines);

    // A threshold never holds the markers that delimit it.
    for (const auto threshold : thresholds) {
        FUZZ_CHECK(!threshold.empty());
        FUZZ_CHECK(threshold.find(']') == std::string_view::npos);
        FUZZ_CHECK(threshold.find("XP=") == std::string_view::npos);
    }

    // Without an irregular line the lists are in step; the line named lies in the text.
    if (!file.firstIrregularLine)
        FUZZ_CHECK(table.labels.size() == table.thresholds.size());
    else
        FUZZ_CHECK(file.firstIrregularLine->number >= 1 && file.firstIrregularLine->number <= lines);

    // LF line ends give the same table as CR LF ones.
    const auto twin = readLevels(withLinuxLineEnds(text));
    FUZZ_CHECK(twin.table.labelTexts() == labels && twin.table.thresholdTexts() == thresholds);
    FUZZ_CHECK(twin.table.encoding == table.encoding);

    // A limit on memory gives either the same table or none, with a reason.
    const auto limited = readLevels(std::string(text), size + (size % 7) * sizeof(TextPiece));
    FUZZ_CHECK((limited.unreadable.empty() && limited.table.labelTexts() == labels
                && limited.table.thresholdTexts() == thresholds)
               || (!limited.unreadable.empty() && limited.table.labels.empty() && limited.table.thresholds.empty()));
    return 0;
}
