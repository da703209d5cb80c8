#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lapidor {

// How the bytes of a levels file read as text. Linux editors write UTF-8;
// older files are 8-bit, read as Latin-1. ASCII reads the same either way.
enum class TextEncoding { Latin1, Utf8 };

// Whether the bytes are well-formed UTF-8: no stray continuation bytes,
// no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool isUtf8(std::string_view bytes);

// The length of the well-formed UTF-8 sequence at the start of the bytes,
// or 0 when there is none (or no bytes).
std::size_t utf8SequenceLength(std::string_view bytes);

// Text of a levels file as UTF-8. Bytes that are not valid in the given
// encoding come out as U+FFFD, so the result is always valid UTF-8.
std::string toUtf8(std::string_view bytes, TextEncoding encoding);

} // namespace lapidor
