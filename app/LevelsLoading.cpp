#include "app/LevelsLoading.h"

#include "ui/words/FileProblemText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <filesystem>
#include <new>

namespace lapidor {

namespace {

// Where an installed Lapidor keeps its sample levels file: found from the
// program's own folder, since the install prefix is chosen at install time
// and may lie anywhere. Empty where there is none, as in a build folder.
QString installedSample()
{
    if (!QCoreApplication::instance())
        return {};
    const QString sample = QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/')
                                           + QStringLiteral(LAPIDOR_SAMPLE_FROM_PROGRAM));
    return QFileInfo(sample).isFile() ? QDir::toNativeSeparators(sample) : QString();
}

// Whether there was a file to read at all: a calculation that finds no
// level says so.
LevelsSource sourceOf(const LevelsFile& file)
{
    switch (file.failure) {
    case LevelsFile::Failure::None:
        return LevelsSource::File;
    case LevelsFile::Failure::WorkingFolder:
        return LevelsSource::NoFile;
    case LevelsFile::Failure::File:
        if (file.problem.kind == FileProblem::Kind::NotAFile && file.problem.found == FileKind::Missing)
            return LevelsSource::NoFile;
        break;
    case LevelsFile::Failure::Utf16:
    case LevelsFile::Failure::Memory:
        break;
    }
    return LevelsSource::UnreadableFile;
}

} // namespace

ReadLevels readLevels(const QString& path, std::size_t memoryLimit)
{
    const std::filesystem::path file(path.toStdU16String());
    try {
        ReadLevels read;
        read.file = readLevelsFile(file, memoryLimit);
        read.warning = levelsWarning(read.file); // before the table moves on
        read.levels = LevelLookup(std::move(read.file.table), sourceOf(read.file));
        return read;
    } catch (const std::bad_alloc&) {
        ReadLevels outOfMemory;
        outOfMemory.file.failure = LevelsFile::Failure::Memory;
        outOfMemory.file.folder = folderOf(file);
        outOfMemory.warning = levelsWarning(outOfMemory.file);
        outOfMemory.levels = LevelLookup(LevelTable(), LevelsSource::UnreadableFile);
        return outOfMemory;
    }
}

LoadedLevels toldAbout(ReadLevels read, const QString& path)
{
    LoadedLevels loaded{std::move(read.levels), read.warning, {}};
    if (read.warning != LevelsWarning::None)
        loaded.warningText
            = FileProblemText::levelsWarning(read.warning, read.file, QFileInfo(path).fileName(), installedSample());
    return loaded;
}

LoadedLevels loadLevels(const QString& path, std::size_t memoryLimit)
{
    return toldAbout(readLevels(path, memoryLimit), path);
}

} // namespace lapidor
