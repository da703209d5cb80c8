#include "app/LevelsLoading.h"

#include "levels/LevelsWarning.h"
#include "ui/words/FileProblemText.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <filesystem>
#include <new>

namespace lapidor {

namespace {

// Where an installed Lapidor keeps its sample levels file, looked up when
// needed, since the install prefix is chosen at install time.
QString installedSample()
{
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("lapidor/levels.txt"));
}

// What the player must hear about the file, before its table is moved away.
LoadedLevels toldAbout(const LevelsFile& file, const QString& path)
{
    const auto warning = levelsWarning(file);
    if (warning == LevelsWarning::None)
        return {{}, warning, {}};
    return {{}, warning, FileProblemText::levelsWarning(file, QFileInfo(path).fileName(), installedSample())};
}

} // namespace

LoadedLevels loadLevels(const QString& path, std::size_t memoryLimit)
{
    const std::filesystem::path file(path.toStdU16String());
    try {
        auto read = readLevelsFile(file, memoryLimit);
        auto result = toldAbout(read, path);
        result.levels = LevelLookup(std::move(read.table));
        return result;
    } catch (const std::bad_alloc&) {
        LevelsFile outOfMemory;
        outOfMemory.failure = LevelsFile::Failure::Memory;
        std::error_code error;
        if (const auto absolute = std::filesystem::absolute(file, error); !error)
            outOfMemory.folder = absolute.parent_path();
        return toldAbout(outOfMemory, path);
    }
}

} // namespace lapidor
