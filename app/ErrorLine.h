#pragma once

#include <QByteArrayView>
#include <QString>

#include <string>
#include <string_view>

namespace lapidor {

// Writes one line of Lapidor's own on stderr, in the form terminalLine()
// gives it: it stays one line, and nothing in it can drive the terminal,
// whatever a folder name or an argument holds. It goes out as a Qt warning,
// so that Qt's handler writes it (and a test's handler sees it); a line
// that cannot be written is dropped. Qt's own messages are left as they are.
void writeErrorLine(std::string_view bytes);
void writeErrorLine(const QString& line);

// Text that carries bytes which are not UTF-8 into such a line unchanged:
// each of them stands in the text as one of the lone surrogates U+DC80 to
// U+DCFF, which no real text holds, and is written as the byte it was.
QString textCarryingBytes(QByteArrayView bytes);
std::string carriedBytes(const QString& line);

} // namespace lapidor
