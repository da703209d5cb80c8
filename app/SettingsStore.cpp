#include "app/SettingsStore.h"

#include "app/ErrorLine.h"

#ifdef Q_OS_WIN
#include <QSettings>

#include <memory>
#else
#include "app/FileReplacement.h"
#include "app/SettingsLocation.h"
#include "app/SettingsText.h"
#include "files/RegularFile.h"
#include "ui/words/FileProblemText.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#endif

namespace lapidor {

namespace {

void warnNotSaved(const QString& store, const QString& reason)
{
    writeErrorLine(QStringLiteral("Lapidor did not save the window placement to %1: %2.").arg(store, reason));
}

#ifdef Q_OS_WIN
// Only this store is opened: QSettings' own user scope would first read
// every fallback it knows (organisation-wide and system ones).
std::unique_ptr<QSettings> openStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Lapidor"),
                                       QStringLiteral("Lapidor"));
}

// Whether the registry holds the values now, asked afresh: the store that
// wrote them would answer from its cache.
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
constexpr qint64 largestSettingsFile = 1 << 20;
constexpr int lockWaitMilliseconds = 1000;

std::filesystem::path localPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// Why a path must not be written through, or nothing when it may.
QString refusal(const QString& path, bool checkSize)
{
    const auto status = fileStatus(localPath(path));
    if (status.problem)
        return FileProblemText::problem(status.problem, Language::English);
    if (status.kind == FileKind::Missing)
        return {};
    if (status.kind != FileKind::Regular)
        return FileProblemText::problem(notAFile(status.kind), Language::English);
    if (checkSize && status.size > std::uintmax_t(largestSettingsFile))
        return QStringLiteral("it is %1, larger than a settings file can be")
            .arg(FileProblemText::byteSize(status.size, Language::English));
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

SettingsLines inFileForm(const SettingsValues& values)
{
    SettingsLines lines;
    for (const auto& [key, value] : values)
        lines.append({key.toUtf8(), value.toUtf8()});
    return lines;
}

// The whole save to the file at path, each step told apart when it fails.
QString saveToFile(const QString& path, const QString& group, const SettingsValues& values)
{
    if (const auto reason = refusal(path, true); !reason.isEmpty())
        return reason;
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder))
        return QStringLiteral("its folder %1 could not be made").arg(folder);

    FileReplacement replacement(localPath(path));
    if (!replacement.problem().empty())
        return QString::fromStdString(replacement.problem());
    // The lock stands beside the file that is replaced, the target of a
    // symlink. Its name must reach QLockFile unchanged.
    const QString target = QFile::decodeName(replacement.target().c_str());
    if (QFile::encodeName(target) != replacement.target().c_str())
        return QStringLiteral("it links to a file whose name is not valid UTF-8");
    // A named pipe at the lock path would hang even a lock attempt, which
    // reads the lock's owner from it.
    const QString lockPath = target + QStringLiteral(".lock");
    if (const auto reason = refusal(lockPath, false); !reason.isEmpty())
        return QStringLiteral("its lock file %1: %2").arg(lockPath, reason);
    QLockFile lock(lockPath);
    if (!lock.tryLock(lockWaitMilliseconds))
        return QStringLiteral("its lock file %1: %2").arg(lockPath, lockRefusal(lock));

    // Under the lock no other save of this file is under way, so any
    // temporary file beside it was left by one that was cut short.
    replacement.removeLeftovers();
    const auto current = replacement.readCurrent(std::size_t(largestSettingsFile));
    if (!replacement.problem().empty())
        return QString::fromStdString(replacement.problem());
    const auto text = withSettings(QByteArray::fromStdString(current), group.toUtf8(), inFileForm(values));
    if (!replacement.replaceWith(text.toStdString()))
        return QString::fromStdString(replacement.problem());
    return {};
}
#endif

} // namespace

bool saveSettings(const QString& group, const SettingsValues& values)
{
#ifdef Q_OS_WIN
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
    // The status keeps only the first error; what counts is whether the
    // values are there now.
    const bool saved = storeHolds(group, values);
    if (!saved)
        warnNotSaved(store, QStringLiteral("it could not be written"));
    return saved;
#else
    const auto location = userSettingsLocation();
    if (location.file.isEmpty()) {
        writeErrorLine(QStringLiteral("Lapidor did not save the window placement: %1.").arg(location.problem));
        return false;
    }
    const QString problem = saveToFile(location.file, group, values);
    if (!problem.isEmpty())
        warnNotSaved(location.file, problem);
    return problem.isEmpty();
#endif
}

} // namespace lapidor
