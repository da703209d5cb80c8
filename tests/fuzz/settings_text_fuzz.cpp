// A save's edit of the settings text, on arbitrary existing text: every
// line but the placement's own stays byte for byte, the placement stands
// in the [Settings] section, and no text larger than the limit is given.
#include "tests/fuzz/Check.h"
#include "text/SettingsText.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

using namespace lapidor;

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
const SettingsLines placement
    = {{"MainLeft", "600"}, {"MainTop", "-750"}, {"MainWidth", "3e+09"}, {"MainHeight", "6255"}};

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\v\f");
    return first == text.npos ? std::string_view() : text.substr(first, text.find_last_not_of(" \t\v\f") + 1 - first);
}

// A line as an INI reader sees it.
struct Line {
    std::string_view content;
    std::string_view end;
    bool settingsHeader = false;
    int key = -1; // which of the placement's keys it sets, in a [Settings] section
};

std::vector<Line> readLines(std::string_view text, int& settingsSections)
{
    std::vector<Line> lines;
    bool inSettings = false;
    while (!text.empty()) {
        const auto stop = std::min(text.find_first_of("\r\n"), text.size());
        const auto next = stop + (stop == text.size() ? 0 : text.substr(stop, 2) == "\r\n" ? 2 : 1);
        Line line{text.substr(0, stop), text.substr(stop, next - stop)};
        const auto shown = trimmed(line.content);
        const auto equals = line.content.find('=');
        if (shown.starts_with('[')) {
            inSettings = line.settingsHeader = trimmed(shown.substr(1, shown.find(']') - 1)) == "Settings";
            settingsSections += inSettings;
        } else if (inSettings && equals != line.content.npos) {
            for (std::size_t i = 0; i < placement.size(); ++i)
                if (trimmed(line.content.substr(0, equals)) == placement[i].first)
                    line.key = int(i);
        }
        lines.push_back(line);
        text.remove_prefix(next);
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (size > (1 << 20))
        return 0;

    const auto whole = withSettings(text, "Settings", placement, std::numeric_limits<std::size_t>::max());
    FUZZ_CHECK(whole.text && whole.text->size() == whole.size);
    std::string_view edited = *whole.text;
    const std::size_t limit = size + (size > 0 ? data[0] : 0);
    const auto limited = withSettings(text, "Settings", placement, limit);
    FUZZ_CHECK(limited.size == whole.size);
    FUZZ_CHECK(limited.text ? *limited.text == edited && limited.size <= limit : limited.size > limit);

    // A byte-order mark stays first, and a section header after it counts.
    FUZZ_CHECK(edited.starts_with(byteOrderMark) == text.starts_with(byteOrderMark));
    if (text.starts_with(byteOrderMark)) {
        text.remove_prefix(byteOrderMark.size());
        edited.remove_prefix(byteOrderMark.size());
    }
    int sectionsBefore = 0;
    int sectionsAfter = 0;
    const auto before = readLines(text, sectionsBefore);
    const auto after = readLines(edited, sectionsAfter);

    // One [Settings] section (or the ones there were), every key of the
    // placement in it, each with the new value.
    FUZZ_CHECK(sectionsAfter == std::max(sectionsBefore, 1));
    std::vector<bool> placed(placement.size(), false);
    for (const auto& line : after)
        if (line.key >= 0) {
            FUZZ_CHECK(line.content == placement[line.key].first + "=" + placement[line.key].second);
            placed[line.key] = true;
        }
    FUZZ_CHECK(std::all_of(placed.begin(), placed.end(), [](bool is) { return is; }));

    // Every other line byte for byte, in order; only a last line without
    // an end may gain one.
    const auto added = [&](const Line& line) { return line.key >= 0 || (sectionsBefore == 0 && line.settingsHeader); };
    auto kept = after.begin();
    for (const auto& line : before) {
        if (line.key >= 0)
            continue;
        kept = std::find_if_not(kept, after.end(), added);
        FUZZ_CHECK(kept != after.end() && kept->content == line.content);
        FUZZ_CHECK(kept->end == line.end || (line.end.empty() && &line == &before.back()));
        ++kept;
    }
    FUZZ_CHECK(std::all_of(kept, after.end(), added));
    return 0;
}
