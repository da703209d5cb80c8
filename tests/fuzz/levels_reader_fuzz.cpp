// The levels reader on arbitrary bytes.
#include "tests/fuzz/Check.h"
#include "levels/LevelsReader.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto table = readLevels(text);

    // No item holds a line end: a line ends at every CR.
    for (const auto* list : {&table.List1, &table.List2})
        for (const auto& item : *list)
            FUZZ_CHECK(item.find('\r') == std::string::npos);

    // Each line adds at most one label and one threshold per "XP=".
    const std::size_t lines = std::count(text.begin(), text.end(), '\r') + 1;
    FUZZ_CHECK(table.List1.size() <= lines);
    FUZZ_CHECK(table.List1.size() + table.List2.size() <= occurrences(text, "XP=") + lines);

    // A threshold never holds the markers that delimit it.
    for (const auto& threshold : table.List2) {
        FUZZ_CHECK(!threshold.empty());
        FUZZ_CHECK(threshold.find(']') == std::string::npos);
        FUZZ_CHECK(threshold.find("XP=") == std::string::npos);
    }
    return 0;
}
