#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lapidor {

using SettingsLines = std::vector<std::pair<std::string, std::string>>; // key and value, as they stand in the file

struct EditedSettings {
    std::optional<std::string> text; // nothing when it would be larger than the limit
    std::size_t size = 0;            // the new text's size in bytes, whether it fits or not
};

// The text of an INI file with the keys set in one section, changed as
// little as can be: every line outside the section stays byte for byte,
// line ends and comments included; in the section a key's line is
// replaced, a key not there yet is added after the section's last line,
// and other lines stay. A missing section is added at the end. Added lines
// end as the line they follow does, or else as the file's first line does
// (LF in a file with none). A UTF-8 byte-order mark at the start stays, and
// a section header right after it counts. Keys and values are written as
// given, so they must need no INI escaping. A new text larger than maxBytes
// is not given: a file that size would be refused by the next save that
// reads it.
EditedSettings withSettings(std::string_view text, std::string_view section, const SettingsLines& values,
                            std::size_t maxBytes);

} // namespace lapidor
