#include "app/SettingsText.h"

#include <optional>

namespace lapidor {

namespace {

// One line of the text: its bytes and the line end after them (CR LF, CR,
// LF, or none on a last line without one).
struct Line {
    QByteArrayView content;
    QByteArrayView end;
};

QList<Line> splitLines(const QByteArray& text)
{
    QList<Line> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype stop = start;
        while (stop < text.size() && text[stop] != '\n' && text[stop] != '\r')
            ++stop;
        qsizetype next = stop;
        if (next < text.size())
            next += text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n' ? 2 : 1;
        const QByteArrayView whole(text);
        lines.append({whole.sliced(start, stop - start), whole.sliced(stop, next - stop)});
        start = next;
    }
    return lines;
}

// The name in a section header ("[Settings]"), or nothing for other lines.
std::optional<QByteArrayView> sectionName(QByteArrayView content)
{
    const QByteArrayView line = content.trimmed();
    if (!line.startsWith('['))
        return {};
    const auto close = line.indexOf(']');
    return line.sliced(1, (close < 0 ? line.size() : close) - 1).trimmed();
}

QByteArrayView keyOf(QByteArrayView content)
{
    const auto equals = content.indexOf('=');
    return equals < 0 ? QByteArrayView() : content.first(equals).trimmed();
}

qsizetype indexOfKey(const SettingsLines& values, QByteArrayView key)
{
    if (key.isEmpty())
        return -1;
    for (qsizetype i = 0; i < values.size(); ++i)
        if (values[i].first == key)
            return i;
    return -1;
}

} // namespace

QByteArray withSettings(const QByteArray& text, const QByteArray& section, const SettingsLines& values)
{
    const QList<Line> lines = splitLines(text);
    QByteArray lineEnd = "\n";
    for (const auto& line : lines)
        if (!line.end.isEmpty()) {
            lineEnd = line.end.toByteArray();
            break;
        }

    QByteArray result;
    result.reserve(text.size() + 64 * values.size() + section.size() + 8);
    QList<bool> present(values.size(), false);
    bool inSection = false;
    bool inFirstSection = false;
    bool sectionSeen = false;
    // Where keys not in the file go: after the last line of the first such
    // section that is not blank, so that blank lines before the next
    // section stay where they are. A later section of the same name is a
    // repeat; keys found there are replaced in place.
    qsizetype insertAt = -1;
    bool insertAfterUnendedLine = false;
    for (const auto& line : lines) {
        const auto name = sectionName(line.content);
        if (name) {
            inSection = *name == section;
            inFirstSection = inSection && !sectionSeen;
            sectionSeen = sectionSeen || inSection;
        }
        const qsizetype value = inSection && !name ? indexOfKey(values, keyOf(line.content)) : -1;
        if (value >= 0) {
            result += values[value].first + '=' + values[value].second;
            present[value] = true;
        } else {
            result += line.content;
        }
        result += line.end;
        if (inFirstSection && !line.content.trimmed().isEmpty()) {
            insertAt = result.size();
            insertAfterUnendedLine = line.end.isEmpty();
        }
    }

    QByteArray missing;
    for (qsizetype i = 0; i < values.size(); ++i)
        if (!present[i])
            missing += values[i].first + '=' + values[i].second + lineEnd;
    if (insertAt < 0) {
        // The last line gets an end of its own before the section follows.
        if (!result.isEmpty() && !result.endsWith('\n') && !result.endsWith('\r'))
            result += lineEnd;
        result += '[' + section + ']' + lineEnd + missing;
    } else if (!missing.isEmpty()) {
        result.insert(insertAt, insertAfterUnendedLine ? lineEnd + missing : missing);
    }
    return result;
}

} // namespace lapidor
