#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lapidor {

// The most characters of one outside text that the program shows: laying
// out megabytes of one label would stall the window.
inline constexpr std::size_t longestShownText = 1000;

// The most characters of an outside text quoted in a message.
inline constexpr std::size_t longestQuotedText = 40;

// A text cut to at most `longest` characters, between whole characters,
// with `mark` after a cut. UTF-8 in and out; a byte that is not UTF-8
// comes out as U+FFFD.
std::string cutShort(std::string_view utf8, std::size_t longest = longestShownText, std::string_view mark = "\u2026");

// Text from outside the program on a line of its own, such as a list's
// row: cut short, each line break shown as one space, bidi controls taken
// out.
std::string singleLineText(std::string_view utf8);

// Text from outside the program (the levels file, an entry field, a path,
// a system error) as it is shown among the program's own words: cut
// short, each line break shown as one space, bidi controls taken out, and
// the whole wrapped in one first-strong isolate (U+2068 ... U+2069). So it
// can neither break a caption onto a second line nor turn the words around
// it, whatever it holds; the text itself stays as it was, for every lookup.
// Printable ASCII can do neither, and is shown as it is (only cut short),
// so that "5" reaches a screen reader or a copy as "5".
std::string shownText(std::string_view utf8);

// An outside text to be quoted in a message: at most longestQuotedText
// characters, "..." after a cut, shown as shownText shows it. The message
// puts it in the quotation marks of its language.
std::string quotableText(std::string_view utf8);

} // namespace lapidor
