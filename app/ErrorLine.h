#pragma once

#include <string_view>

namespace lapidor {

// Writes one line of Lapidor's own on stderr, in the form terminalLine()
// gives it: it stays one line, and nothing in it can drive the terminal,
// whatever a folder name or an argument holds. The line is given as bytes,
// so that names that are not UTF-8 reach it unchanged. It goes out as a Qt
// warning, so that Qt's handler writes it (and a test's handler sees it); a
// line that cannot be written is dropped. Qt's own messages are left as
// they are.
void writeErrorLine(std::string_view bytes);

} // namespace lapidor
