#include "text/TerminalLine.h"

#include "text/TextEncoding.h"

namespace lapidor {

namespace {

void appendEscaped(std::string& line, unsigned char byte)
{
    constexpr char digits[] = "0123456789abcdef";
    line += "\\x";
    line += digits[byte >> 4];
    line += digits[byte & 0xf];
}

// A C1 control, U+0080 to U+009F, as UTF-8: C2 80 to C2 9F.
bool isC1Control(std::string_view character)
{
    return character.size() == 2 && static_cast<unsigned char>(character[0]) == 0xc2
        && static_cast<unsigned char>(character[1]) < 0xa0;
}

} // namespace

std::string terminalLine(std::string_view bytes)
{
    std::string line;
    line.reserve(bytes.size());
    while (!bytes.empty()) {
        const auto first = static_cast<unsigned char>(bytes.front());
        const std::size_t length = utf8SequenceLength(bytes);
        const std::string_view character = bytes.substr(0, length == 0 ? 1 : length);
        if (length == 0 || first < 0x20 || first == 0x7f || first == '\\' || isC1Control(character)) {
            for (const char byte : character)
                appendEscaped(line, static_cast<unsigned char>(byte));
        } else {
            line += character;
        }
        bytes.remove_prefix(character.size());
    }
    return line;
}

} // namespace lapidor
