#include "app/SettingsStore.h"

#include "files/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace lapidor {

namespace {

constexpr qint64 largestSettingsFile = 1 << 20;
constexpr int lockWaitMilliseconds = 1000;

void warnNotSaved(const QString& store, const QString& reason)
{
    qWarning("Lapidor did not save the window placement to %s: %s.", qPrintable(store), qPrintable(reason));
}

// Only these stores are opened: QSettings' own user scope would first read
// every fallback file it knows (organisation-wide and system ones), and any
// of them can hang the close.
std::unique_ptr<QSettings> openStore()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Lapidor"),
                                       QStringLiteral("Lapidor"));
#else
    return std::make_unique<QSettings>(userSettingsFile(), QSettings::IniFormat);
#endif
}

#ifdef Q_OS_WIN
// Whether the registry holds the values now.
bool storeHolds(const QString& group, const SettingsValues& values)
{
    const auto settings = openStore();
    settings->beginGroup(group);
    for (const auto& [key, value] : values)
        if (settings->value(key).toString() != value)
            return false;
    return true;
}
#else
std::filesystem::path localPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// Why a path must not be written through, or nothing when it may.
QString refusal(const QString& path, bool checkSize)
{
    const auto status = fileStatus(localPath(path));
    if (!status.problem.empty())
        return QString::fromStdString(status.problem);
    if (status.kind == FileKind::Missing)
        return {};
    if (status.kind != FileKind::Regular)
        return QString::fromStdString(notAFile(status.kind));
    if (checkSize && status.size > std::uintmax_t(largestSettingsFile))
        return QStringLiteral("it is %1, larger than a settings file can be")
            .arg(QString::fromStdString(byteSize(status.size)));
    return {};
}

QString lockRefusal(const QLockFile& lock)
{
    switch (lock.error()) {
    case QLockFile::LockFailedError:
        return QStringLiteral("another program holds it");
    case QLockFile::PermissionError:
        return QStringLiteral("Permission denied");
    default:
        return QStringLiteral("it could not be taken");
    }
}

// Whether QSettings may go on to write the file: it is a regular file (or
// none yet), its folder is there, and its lock can be taken now. The lock
// is only probed and let go again, since QSettings takes it itself and
// would wait on one held here.
bool mayWrite(const QString& path)
{
    if (const auto reason = refusal(path, true); !reason.isEmpty()) {
        warnNotSaved(path, reason);
        return false;
    }
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder)) {
        warnNotSaved(path, QStringLiteral("its folder %1 could not be made").arg(folder));
        return false;
    }
    // A named pipe at the lock path would hang even a lock attempt, which
    // reads the lock's owner from it.
    const QString lockPath = path + QStringLiteral(".lock");
    if (const auto reason = refusal(lockPath, false); !reason.isEmpty()) {
        warnNotSaved(path, QStringLiteral("its lock file %1: %2").arg(lockPath, reason));
        return false;
    }
    QLockFile lock(lockPath);
    if (!lock.tryLock(lockWaitMilliseconds)) {
        warnNotSaved(path, QStringLiteral("its lock file %1: %2").arg(lockPath, lockRefusal(lock)));
        return false;
    }
    return true;
}

// Whether the file holds the values in the group now, read from the file
// itself: another QSettings on the same path would answer from the cache
// of what was meant to be written.
bool fileHolds(const QString& path, const QString& group, const SettingsValues& values)
{
    const auto contents = readRegularFile(localPath(path), std::size_t(largestSettingsFile));
    if (!contents.problem.empty())
        return false;
    QString section;
    QHash<QString, QString> found;
    for (const auto& rawLine : QByteArray::fromStdString(contents.bytes).split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')))
            section = line.mid(1, line.size() - 2);
        else if (const auto equals = line.indexOf(QLatin1Char('=')); section == group && equals > 0)
            found.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    for (const auto& [key, value] : values)
        if (found.value(key) != value)
            return false;
    return true;
}
#endif

} // namespace

QString userSettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Lapidor/Lapidor.conf");
}

bool saveSettings(const QString& group, const SettingsValues& values)
{
#ifndef Q_OS_WIN
    if (!mayWrite(userSettingsFile()))
        return false;
#endif
    QString store;
    {
        const auto settings = openStore();
        store = settings->fileName();
        settings->beginGroup(group);
        for (const auto& [key, value] : values)
            settings->setValue(key, value);
        settings->endGroup();
        settings->sync();
    }

    // The status keeps only the first error, and a junk file that was then
    // rewritten reports a format error; what counts is whether the values
    // are there now.
#ifdef Q_OS_WIN
    const bool saved = storeHolds(group, values);
#else
    const bool saved = fileHolds(store, group, values);
#endif
    if (!saved)
        warnNotSaved(store, QStringLiteral("it could not be written"));
    return saved;
}

} // namespace lapidor
