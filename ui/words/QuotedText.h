#pragma once

#include <QString>

#include <string_view>

namespace lapidor {

// A text from outside (a value from levels.txt, a field's text) quoted in a
// message: cut short and shown as plain text, in the quotation marks of the
// user's language, "12a" in English, „12a“ in German.
QString quotedOutsideText(std::string_view utf8);

} // namespace lapidor
