#include "text/SettingsText.h"

#include <algorithm>

namespace lapidor {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// One line of the text: its bytes and the line end after them (CR LF, CR,
// LF, or none on a last line without one).
struct Line {
    std::string_view content;
    std::string_view end;
};

std::vector<Line> splitLines(std::string_view text)
{
    std::vector<Line> lines;
    while (!text.empty()) {
        const auto stop = std::min(text.find_first_of("\r\n"), text.size());
        std::size_t next = stop;
        if (next < text.size())
            next += text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n' ? 2 : 1;
        lines.push_back({text.substr(0, stop), text.substr(stop, next - stop)});
        text.remove_prefix(next);
    }
    return lines;
}

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view blanks = " \t\n\v\f\r";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The name in a section header ("[Settings]"), or nothing for other lines.
std::optional<std::string_view> sectionName(std::string_view content)
{
    const std::string_view line = trimmed(content);
    if (!line.starts_with('['))
        return {};
    return trimmed(line.substr(1, line.find(']') - 1));
}

std::string_view keyOf(std::string_view content)
{
    const auto equals = content.find('=');
    return equals == std::string_view::npos ? std::string_view() : trimmed(content.substr(0, equals));
}

std::ptrdiff_t indexOfKey(const SettingsLines& values, std::string_view key)
{
    if (key.empty())
        return -1;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (values[i].first == key)
            return std::ptrdiff_t(i);
    return -1;
}

} // namespace

EditedSettings withSettings(std::string_view text, std::string_view section, const SettingsLines& values,
                            std::size_t maxBytes)
{
    std::string result;
    if (text.starts_with(byteOrderMark)) {
        result += byteOrderMark;
        text.remove_prefix(byteOrderMark.size());
    }
    const std::vector<Line> lines = splitLines(text);
    std::string_view lineEnd = "\n";
    for (const auto& line : lines)
        if (!line.end.empty()) {
            lineEnd = line.end;
            break;
        }

    result.reserve(text.size() + 64 * values.size() + section.size() + 8);
    std::vector<bool> present(values.size(), false);
    bool inSection = false;
    bool inFirstSection = false;
    bool sectionSeen = false;
    // Where keys not in the file go: after the last line of the first such
    // section that is not blank, so that blank lines before the next
    // section stay where they are. A later section of the same name is a
    // repeat; keys found there are replaced in place.
    std::size_t insertAt = std::string::npos;
    std::string_view insertAfter; // the end of the line they follow

    for (const auto& line : lines) {
        const auto name = sectionName(line.content);
        if (name) {
            inSection = *name == section;
            inFirstSection = inSection && !sectionSeen;
            sectionSeen = sectionSeen || inSection;
        }
        const auto value = inSection && !name ? indexOfKey(values, keyOf(line.content)) : -1;
        if (value >= 0) {
            result.append(values[value].first).append("=").append(values[value].second);
            present[value] = true;
        } else {
            result += line.content;
        }
        result += line.end;
        if (inFirstSection && !trimmed(line.content).empty()) {
            insertAt = result.size();
            insertAfter = line.end;
        }
    }

    // Added lines in the section end as the line they follow does: a lone
    // CR there is never followed by LF, which would join them into one end.
    const std::string_view addedEnd = insertAt == std::string::npos || insertAfter.empty() ? lineEnd : insertAfter;
    std::string missing;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (!present[i])
            missing.append(values[i].first).append("=").append(values[i].second).append(addedEnd);
    if (insertAt == std::string::npos) {
        // The last line gets an end of its own before the section follows.
        if (!lines.empty() && lines.back().end.empty())
            result += lineEnd;
        result.append("[").append(section).append("]").append(lineEnd).append(missing);
    } else if (!missing.empty()) {
        result.insert(insertAt, insertAfter.empty() ? std::string(lineEnd) + missing : missing);
    }
    if (result.size() > maxBytes)
        return {{}, result.size()};
    const auto size = result.size();
    return {std::move(result), size};
}

} // namespace lapidor
