#include "app/SettingsStore.h"

#include "files/RegularFile.h"

#include <QDir>
#include <QFileInfo>
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

#ifndef Q_OS_WIN
// Why a path must not be written through, or nothing when it may.
QString refusal(const QString& path, qint64 largest)
{
    const auto status = fileStatus(path.toStdString());
    if (!status.problem.empty())
        return QString::fromStdString(status.problem);
    if (status.kind == FileKind::Missing)
        return {};
    if (status.kind != FileKind::Regular)
        return QString::fromStdString(notAFile(status.kind));
    if (status.size > std::uintmax_t(largest))
        return QStringLiteral("it is %1, larger than a settings file can be")
            .arg(QString::fromStdString(byteSize(status.size)));
    return {};
}

// Whether QSettings may go on to write the file: it is a regular file (or
// none yet), and its lock can be taken now. The lock is only probed and let
// go again, since QSettings takes it itself and would wait on one held here.
bool mayWrite(const QString& path)
{
    if (const auto reason = refusal(path, largestSettingsFile); !reason.isEmpty()) {
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
    if (const auto reason = refusal(lockPath, largestSettingsFile); !reason.isEmpty()) {
        warnNotSaved(path, QStringLiteral("its lock file %1: %2").arg(lockPath, reason));
        return false;
    }
    QLockFile lock(lockPath);
    if (!lock.tryLock(lockWaitMilliseconds)) {
        warnNotSaved(path, QStringLiteral("its lock file %1 could not be taken").arg(lockPath));
        return false;
    }
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
    const auto written = openStore();
    written->beginGroup(group);
    for (const auto& [key, value] : values) {
        if (written->value(key).toString() != value) {
            warnNotSaved(store, QStringLiteral("it could not be written"));
            return false;
        }
    }
    return true;
}

} // namespace lapidor
