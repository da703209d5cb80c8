#include "app/SettingsStore.h"

#include "app/ErrorLine.h"

#include <string>

#ifdef Q_OS_WIN
#include <QSettings>

#include <memory>
#else
#include "app/FileReplacement.h"
#include "app/SettingsLocation.h"
#include "app/SettingsLock.h"
#include "files/RegularFile.h"
#include "text/SettingsText.h"
#include "ui/words/FileProblemText.h"

#include <unistd.h>
#endif

namespace lapidor {

namespace {

// Every line the settings store writes to stderr: what was not saved where
// (no store when there is none), and why. Names stand in it as the bytes
// they are; the line is quoted as a whole when it is written.
void warnNotSaved(const std::string& store, const std::string& reason)
{
    writeErrorLine("Lapidor did not save the window placement" + (store.empty() ? std::string() : " to " + store) + ": "
                   + reason + ".");
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
constexpr std::size_t largestSettingsFile = 1 << 20;
constexpr std::chrono::milliseconds lockWait{1000};
// How often a save is read and written again when another program changed
// the file meanwhile.
constexpr int mostRedos = 3;

std::string inEnglish(const FileProblem& problem)
{
    return FileProblemText::problem(problem, Language::English).toStdString();
}

std::string bytesOf(std::size_t size)
{
    return FileProblemText::byteSize(size, Language::English).toStdString() + " (" + std::to_string(size) + " bytes)";
}

// Why the file found must not be written through, or nothing when it may.
std::string refusal(const std::filesystem::path& file)
{
    const auto status = fileStatus(file);
    if (status.problem)
        return inEnglish(status.problem);
    if (status.kind == FileKind::Missing)
        return {};
    if (status.kind != FileKind::Regular)
        return inEnglish(notAFile(status.kind));
    if (status.size > largestSettingsFile)
        return "it is " + FileProblemText::byteSize(status.size, Language::English).toStdString()
            + ", larger than a settings file can be";
    return {};
}

SettingsLines inFileForm(const SettingsValues& values)
{
    SettingsLines lines;
    for (const auto& [key, value] : values)
        lines.emplace_back(key.toStdString(), value.toStdString());
    return lines;
}

// The whole save to the settings file, each step told apart when it fails.
std::string saveToFile(const SettingsLocation& location, const QString& group, const SettingsValues& values)
{
    const uid_t user = ::geteuid();
    const auto found = settingsFileUnder(location.folder, user, MakeFolders::Yes);
    if (!found.problem.empty())
        return found.problem;
    if (auto reason = refusal(found.file); !reason.empty())
        return reason;

    // The lock stands beside the file that is replaced, the target of a
    // symlink.
    const std::filesystem::path lockPath = found.file.native() + ".lock";
    const SettingsLock lock(lockPath, user, lockWait);
    if (!lock.held())
        return "its lock file " + lockPath.native() + ": " + lock.problem();

    FileReplacement replacement([&]() -> FileReplacement::Target {
        auto now = settingsFileUnder(location.folder, user, MakeFolders::No);
        return {std::move(now.file), std::move(now.problem)};
    });
    // Under the lock no other save of this file is under way, so any
    // temporary file beside it was left by one that was cut short.
    replacement.removeLeftovers();
    for (int redo = 0;; ++redo) {
        const auto current = replacement.readCurrent(largestSettingsFile);
        if (replacement.problem().empty()) {
            const auto edited = withSettings(current, group.toStdString(), inFileForm(values), largestSettingsFile);
            if (!edited.text)
                return "its new text would be " + bytesOf(edited.size) + ", larger than a settings file can be, "
                    + bytesOf(largestSettingsFile) + "; the file is left as it was";
            if (replacement.replaceWith(*edited.text))
                return {};
        }
        if (!replacement.changed())
            return replacement.problem();
        if (redo == mostRedos)
            return "another program changed it each of the " + std::to_string(mostRedos + 1)
                + " times it was being saved; it is left as it was";
    }
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
        warnNotSaved(store.toStdString(), "it could not be written");
    return saved;
#else
    const auto location = userSettingsLocation();
    if (location.file.empty()) {
        warnNotSaved({}, location.problem);
        return false;
    }
    const std::string problem = saveToFile(location, group, values);
    if (!problem.empty())
        warnNotSaved(location.file.native(), problem);
    return problem.empty();
#endif
}

} // namespace lapidor
