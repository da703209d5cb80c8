#pragma once

#include <QList>
#include <QString>

#include <utility>

namespace lapidor {

using SettingsValues = QList<std::pair<QString, QString>>;

// Writes values into a group of the per-user settings store, and returns
// whether they are there now. When they could not be saved, one warning on
// stderr names the store and the reason; the caller carries on.
//
// On Linux the store is one file, Lapidor/Lapidor.conf in the folder the
// XDG rules give (SettingsLocation); with no such folder nothing is
// written. Closing must never hang, nothing but a regular file may be
// written, nothing another user could have put in the way is written
// through, and a failed save must never cost the file it would have
// replaced. So the file is left alone when anything on its way is not the
// user's own, when it is a folder, named pipe, device or socket (after
// following symlinks), when it is larger than 1 MiB or would become so,
// when its owner may not write it, or when its lock (SettingsLock) cannot
// be taken within a second; otherwise it is replaced in one step
// (FileReplacement) under that lock, keeping every line but the values'
// own, and saved again when another program changed it meanwhile. A
// symlink to a regular file is written through. On Windows the store is
// the registry.
bool saveSettings(const QString& group, const SettingsValues& values);

} // namespace lapidor
