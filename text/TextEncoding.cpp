#include "text/TextEncoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace lapidor {

std::size_t utf8SequenceLength(std::string_view bytes)
{
    if (bytes.empty())
        return 0;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const auto continuation = [&](std::size_t i) { return i < bytes.size() && (byte(i) & 0xC0) == 0x80; };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return continuation(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!continuation(1) || !continuation(2))
            return 0;
        if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) > 0x9F)) // overlong, surrogate
            return 0;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!continuation(1) || !continuation(2) || !continuation(3))
            return 0;
        if ((lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) > 0x8F)) // overlong, beyond U+10FFFF
            return 0;
        return 4;
    }
    return 0;
}

namespace {

// How long a character is that begins with this byte; 0 for a byte no
// character begins with.
std::size_t sequenceLengthFor(char first)
{
    const auto lead = static_cast<unsigned char>(first);
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Whether the start of a character cut short could still be well-formed:
// the same check on it completed with the smallest continuation bytes
// that its second byte allows.
bool stillPossible(std::string_view start)
{
    char completed[4];
    const auto length = sequenceLengthFor(start[0]);
    std::copy(start.begin(), start.end(), completed);
    for (std::size_t i = start.size(); i < length; ++i)
        completed[i] = char(0x80);
    if (start.size() == 1 && length >= 3) {
        const auto lead = static_cast<unsigned char>(start[0]);
        completed[1] = char(lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80); // the least that is not overlong
    }
    return utf8SequenceLength(std::string_view(completed, length)) == length;
}

// Eight bytes at a time while they are all ASCII: most files are.
std::size_t asciiPrefix(std::string_view bytes)
{
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        if (word & 0x8080808080808080ULL)
            break;
    }
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80)
        ++i;
    return i;
}

} // namespace

void Utf8Check::take(std::string_view bytes)
{
    if (!valid_)
        return;
    // First the character the last piece began.
    while (pendingSize_ > 0 && !bytes.empty()) {
        pending_[pendingSize_++] = bytes.front();
        bytes.remove_prefix(1);
        const std::string_view started(pending_, pendingSize_);
        if (utf8SequenceLength(started) > 0) {
            pendingSize_ = 0;
        } else if (pendingSize_ == sequenceLengthFor(pending_[0]) || pendingSize_ == sizeof pending_) {
            valid_ = false;
            return;
        }
    }
    for (std::size_t i = asciiPrefix(bytes); i < bytes.size();) {
        const auto length = utf8SequenceLength(bytes.substr(i));
        if (length == 0) {
            // Cut short by the end of the piece, perhaps; the next one tells.
            const auto rest = bytes.size() - i;
            if (rest < sequenceLengthFor(bytes[i]) && stillPossible(bytes.substr(i))) {
                std::copy(bytes.begin() + std::ptrdiff_t(i), bytes.end(), pending_);
                pendingSize_ = rest;
                return;
            }
            valid_ = false;
            return;
        }
        i += length;
        i += asciiPrefix(bytes.substr(i));
    }
}

std::string toUtf8(std::string_view bytes, TextEncoding encoding)
{
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            text += char(c);
            ++i;
        } else if (encoding == TextEncoding::Latin1) {
            text += char(0xC0 | (c >> 6));
            text += char(0x80 | (c & 0x3F));
            ++i;
        } else if (const auto length = utf8SequenceLength(bytes.substr(i)); length > 0) {
            text.append(bytes.substr(i, length));
            i += length;
        } else {
            text += "\xEF\xBF\xBD";
            ++i;
        }
    }
    return text;
}

} // namespace lapidor
