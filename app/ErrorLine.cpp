#include "app/ErrorLine.h"

#include "text/TerminalLine.h"
#include "text/TextEncoding.h"

#include <QtGlobal>

namespace lapidor {

namespace {

constexpr char16_t carriedByteBase = 0xdc00;

bool isCarriedByte(const QString& text, qsizetype i)
{
    const char16_t unit = text.at(i).unicode();
    return unit >= carriedByteBase + 0x80 && unit <= carriedByteBase + 0xff
        && (i == 0 || !text.at(i - 1).isHighSurrogate());
}

} // namespace

void writeErrorLine(std::string_view bytes)
{
    qWarning("%s", terminalLine(bytes).c_str());
}

void writeErrorLine(const QString& line)
{
    writeErrorLine(carriedBytes(line));
}

QString textCarryingBytes(QByteArrayView bytes)
{
    QString text;
    std::string_view rest(bytes.data(), std::size_t(bytes.size()));
    while (!rest.empty()) {
        const std::size_t length = utf8SequenceLength(rest);
        if (length == 0)
            text += QChar(char16_t(carriedByteBase + static_cast<unsigned char>(rest.front())));
        else
            text += QString::fromUtf8(rest.data(), qsizetype(length));
        rest.remove_prefix(length == 0 ? 1 : length);
    }
    return text;
}

std::string carriedBytes(const QString& line)
{
    std::string bytes;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i < line.size() && !isCarriedByte(line, i))
            continue;
        bytes += line.sliced(runStart, i - runStart).toStdString();
        if (i < line.size())
            bytes += char(line.at(i).unicode() - carriedByteBase);
        runStart = i + 1;
    }
    return bytes;
}

} // namespace lapidor
