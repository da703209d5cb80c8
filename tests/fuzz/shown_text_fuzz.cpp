// Outside text as the program shows it, on arbitrary bytes: whatever the
// text holds, what is shown breaks no line and turns no words around it,
// and is never longer than the cut plus the wrapper. Printable ASCII is
// shown as it is; anything else is wrapped in one isolate.
#include "tests/fuzz/Check.h"
#include "text/ShownText.h"
#include "text/TextEncoding.h"

#include <cstdint>
#include <string>
#include <vector>

using namespace lapidor;

namespace {

// The code points of well-formed UTF-8; nothing when it is not.
bool decode(std::string_view utf8, std::vector<char32_t>& characters)
{
    for (std::size_t i = 0; i < utf8.size();) {
        const auto length = utf8SequenceLength(utf8.substr(i));
        if (length == 0)
            return false;
        const auto byte = [&](std::size_t k) { return char32_t(static_cast<unsigned char>(utf8[i + k])); };
        char32_t c = length == 1 ? byte(0)
            : length == 2        ? byte(0) & 0x1F
            : length == 3        ? byte(0) & 0x0F
                                 : byte(0) & 0x07;
        for (std::size_t k = 1; k < length; ++k)
            c = c << 6 | (byte(k) & 0x3F);
        characters.push_back(c);
        i += length;
    }
    return true;
}

bool breaksOrTurns(char32_t c)
{
    const bool lineBreak = (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
    const bool bidiControl
        = c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
    return lineBreak || bidiControl;
}

bool isPrintableAscii(std::string_view text)
{
    for (const char c : text)
        if (c < 0x20 || c > 0x7E)
            return false;
    return true;
}

// Checks one shown text: either printable ASCII (with the cut's mark at
// most) as it is, or the isolate's opening, a body that neither breaks nor
// turns, and the isolate's end; the body at most `longestBody` characters.
// Returns the body.
std::vector<char32_t> checkShown(std::string_view shown, std::size_t longestBody)
{
    std::vector<char32_t> characters;
    FUZZ_CHECK(decode(shown, characters));
    const bool isolated = !characters.empty() && characters.front() == 0x2068;
    if (isolated) {
        FUZZ_CHECK(characters.size() >= 2 && characters.back() == 0x2069);
        characters = std::vector<char32_t>(characters.begin() + 1, characters.end() - 1);
    }
    FUZZ_CHECK(characters.size() <= longestBody);
    for (const char32_t c : characters)
        FUZZ_CHECK(isolated ? !breaksOrTurns(c) : (c >= 0x20 && c <= 0x7E) || c == 0x2026);
    return characters;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const auto shown = shownText(text);
    const auto body = checkShown(shown, longestShownText + 1); // the cut and its mark
    FUZZ_CHECK(shown.starts_with("\u2068") != isPrintableAscii(text));

    // Text with nothing to take out or cut is shown as it is.
    std::vector<char32_t> characters;
    if (decode(text, characters) && characters.size() <= longestShownText) {
        bool plain = true;
        for (const char32_t c : characters)
            plain = plain && !breaksOrTurns(c);
        if (plain)
            FUZZ_CHECK(body == characters);
    }

    // A quote is shown the same way, cut shorter.
    checkShown(quotableText(text), longestQuotedText + 3); // and "..."
    return 0;
}
