#pragma once

#include "files/RegularFile.h"
#include "levels/LevelsReader.h"
#include "levels/LevelsWarning.h"
#include "ui/words/Language.h"

#include <QCoreApplication>
#include <QString>

#include <cstdint>

namespace lapidor {

// Words for what is wrong with a file: why it could not be read, and what
// the player must hear at start-up about levels.txt. They stand together
// here so that a translator finds them together. Text from outside (paths,
// lines of the file, the system's words) is shown as outside text.
class FileProblemText {
    Q_DECLARE_TR_FUNCTIONS(lapidor::FileProblemText)

public:
    // Why a file could not be read: "it is a folder, not a file".
    static QString problem(const FileProblem& problem, Language language = Language::User);

    // A number of bytes as people read it: "512 bytes", "16 MiB", "1.5 GiB".
    static QString byteSize(std::uintmax_t bytes, Language language = Language::User);

    // What the player hears at start-up about the levels file, for the
    // warning levelsWarning() gave, with how to go on; empty for a
    // well-formed file. samplePath is where an installed sample levels file
    // lies, or empty.
    static QString levelsWarning(LevelsWarning warning, const LevelsFile& file, const QString& fileName,
                                 const QString& samplePath);

    // What is wrong with a line of the levels file: "line 3 has two XP values".
    static QString irregularLine(const IrregularLine& line);

private:
    static QString word(const char* english, Language language);
    static QString theFolder(const LevelsFile& file);
    static QString inTheFile(const LevelsFile& file, const QString& fileName, const QString& clause,
                             bool question = false);
    static QString ordinal(std::size_t number);
    static QString misnumbered(const LevelsFile& file, const QString& fileName);
    static QString oddThreshold(const LevelsFile& file, const QString& fileName);
    static QString unreadable(const LevelsFile& file, const QString& fileName);
};

} // namespace lapidor
