#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lapidor {

// How the bytes of a levels file read as text. Linux editors write UTF-8;
// older files are 8-bit, read as Latin-1. ASCII reads the same either way.
enum class TextEncoding { Latin1, Utf8 };

// Whether bytes are well-formed UTF-8 (no stray continuation bytes, no
// overlong forms, no surrogates, nothing beyond U+10FFFF), for bytes that
// come in pieces of any size, such as a file as it is read: a character
// may begin in one piece and end in the next.
class Utf8Check {
public:
    void take(std::string_view bytes);
    bool finish() const { return valid_ && pendingSize_ == 0; } // once every piece is taken

private:
    bool valid_ = true;
    char pending_[4]{}; // the start of a character the next piece ends
    std::size_t pendingSize_ = 0;
};

// The length of the well-formed UTF-8 sequence at the start of the bytes,
// or 0 when there is none (or no bytes).
std::size_t utf8SequenceLength(std::string_view bytes);

// Text of a levels file as UTF-8. Bytes that are not valid in the given
// encoding come out as U+FFFD, so the result is always valid UTF-8.
std::string toUtf8(std::string_view bytes, TextEncoding encoding);

} // namespace lapidor
