#include "text/ShownText.h"

#include "text/TextEncoding.h"

#include <algorithm>

namespace lapidor {

namespace {

constexpr std::string_view replacementCharacter = "\uFFFD";
constexpr std::string_view firstStrongIsolate = "\u2068";
constexpr std::string_view popDirectionalIsolate = "\u2069";

// The code point of a well-formed UTF-8 sequence.
char32_t codePoint(std::string_view sequence)
{
    const auto byte = [&](std::size_t i) { return char32_t(static_cast<unsigned char>(sequence[i])); };
    switch (sequence.size()) {
    case 1:
        return byte(0);
    case 2:
        return (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F);
    case 3:
        return (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
    default:
        return (byte(0) & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 | (byte(3) & 0x3F);
    }
}

bool isLineBreak(char32_t c)
{
    return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

// Marks and embeddings, overrides and isolates of the bidirectional
// algorithm: each can turn the text around it.
bool isBidiControl(char32_t c)
{
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// Printable ASCII holds no line break, no direction of its own and nothing
// unseen, so it can turn no words around it.
bool isPrintableAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

// Calls `each` with every character of the text in turn, as its UTF-8
// sequence and code point; a byte that is not UTF-8 counts as U+FFFD.
template <typename Each>
void forEachCharacter(std::string_view utf8, Each each)
{
    for (std::size_t i = 0; i < utf8.size();) {
        const auto length = utf8SequenceLength(utf8.substr(i));
        if (length == 0) {
            if (!each(replacementCharacter, char32_t(0xFFFD)))
                return;
            ++i;
            continue;
        }
        const auto sequence = utf8.substr(i, length);
        if (!each(sequence, codePoint(sequence)))
            return;
        i += length;
    }
}

} // namespace

std::string cutShort(std::string_view utf8, std::size_t longest, std::string_view mark)
{
    std::string kept;
    kept.reserve(std::min(utf8.size(), longest * 4) + mark.size());
    std::size_t count = 0;
    bool cut = false;
    forEachCharacter(utf8, [&](std::string_view sequence, char32_t) {
        if (count == longest) {
            cut = true;
            return false;
        }
        kept += sequence;
        ++count;
        return true;
    });
    if (cut)
        kept += mark;
    return kept;
}

std::string singleLineText(std::string_view utf8)
{
    std::string shown;
    forEachCharacter(cutShort(utf8), [&](std::string_view sequence, char32_t c) {
        if (isLineBreak(c))
            shown += ' ';
        else if (!isBidiControl(c))
            shown += sequence;
        return true;
    });
    return shown;
}

std::string shownText(std::string_view utf8)
{
    if (isPrintableAscii(utf8))
        return cutShort(utf8);
    return std::string(firstStrongIsolate) + singleLineText(utf8) + std::string(popDirectionalIsolate);
}

std::string quotableText(std::string_view utf8)
{
    return shownText(cutShort(utf8, longestQuotedText, "..."));
}

} // namespace lapidor
