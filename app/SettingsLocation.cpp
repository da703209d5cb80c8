#include "app/SettingsLocation.h"

#include "app/ErrorLine.h"

#include <QFile>

namespace lapidor {

namespace {

bool isAbsolute(const QByteArray& folder)
{
    return folder.startsWith('/');
}

// The bytes as they are, those that are not UTF-8 too: the line on stderr
// shows each of those as \xNN, so that a byte Qt would replace still shows.
QString shownBytes(const QByteArray& bytes)
{
    return textCarryingBytes(bytes);
}

SettingsLocation inFolder(const QByteArray& folder)
{
    const QByteArray file = folder + "/Lapidor/Lapidor.conf";
    const QString name = QFile::decodeName(file);
    // Qt replaces bytes that are not UTF-8 in file names; what it would
    // open then is another folder that only looks like this one.
    if (QFile::encodeName(name) != file)
        return {{},
                QStringLiteral("the settings folder %1 has a name that is not valid UTF-8, so Lapidor cannot "
                               "name it unchanged")
                    .arg(shownBytes(folder))};
    return {name, {}};
}

} // namespace

SettingsLocation userSettingsLocation()
{
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    if (isAbsolute(configHome))
        return inFolder(configHome);
    const QByteArray home = qgetenv("HOME");
    if (isAbsolute(home))
        return inFolder(home + "/.config");
    const QString why = !qEnvironmentVariableIsSet("HOME") ? QStringLiteral("HOME is not set")
        : home.isEmpty()                                   ? QStringLiteral("HOME is empty")
                         : QStringLiteral("HOME is \"%1\", not an absolute path").arg(shownBytes(home));
    return {{},
            QStringLiteral("XDG_CONFIG_HOME is not an absolute path and %1, so there is no settings folder").arg(why)};
}

} // namespace lapidor
