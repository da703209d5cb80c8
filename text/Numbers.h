#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lapidor {

// The number at the start of a text, as far as it goes: blanks, tabs and
// line feeds are skipped wherever they stand, then an optional sign, digits
// with at most one ".", and an optional exponent (E or D). A text without a
// leading number gives 0. A value too large for a double gives +/-infinity.
double leadingNumber(std::string_view text);

// The value of a text that, apart from blanks before and after, is one
// decimal number; nothing when it is not. A value too large for a double
// reads as +/-infinity, so callers that need a finite value must check.
std::optional<double> wholeNumber(std::string_view text);

// A count or a level: wholeNumber rounded to the nearest integer, halves to
// the even neighbour; nothing when that is not a number from -32768 to 32767.
std::optional<std::int16_t> readInt16(std::string_view text);

} // namespace lapidor
