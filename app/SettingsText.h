#pragma once

#include <QByteArray>
#include <QList>

#include <utility>

namespace lapidor {

using SettingsLines = QList<std::pair<QByteArray, QByteArray>>; // key and value, as they stand in the file

// The text of an INI file with the keys set in one section, changed as
// little as can be: every line outside the section stays byte for byte,
// line ends and comments included; in the section a key's line is
// replaced, a key not there yet is added after the section's last line,
// and other lines stay. A missing section is added at the end. Added lines
// end as the file's first line does (LF in a file with none). Keys and
// values are written as given, so they must need no INI escaping.
QByteArray withSettings(const QByteArray& text, const QByteArray& section, const SettingsLines& values);

} // namespace lapidor
