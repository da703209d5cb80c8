#pragma once

#include <string>
#include <string_view>

namespace lapidor {

// The bytes of a line Lapidor writes to stderr, made safe to show: it
// stays one line, and nothing in it can move the cursor, change colours or
// ring a bell, whatever a folder name or a system message holds. Bytes
// 0x00 to 0x1F and 0x7F, the backslash, both bytes of each character
// U+0080 to U+009F, and bytes that are not UTF-8 are written as \xHH (hex
// digits in lower case); all other UTF-8 stays as it is.
std::string terminalLine(std::string_view bytes);

} // namespace lapidor
