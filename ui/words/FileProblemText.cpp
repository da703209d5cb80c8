#include "ui/words/FileProblemText.h"

#include "levels/LevelsWarning.h"
#include "text/ExperienceFormat.h"
#include "text/ShownText.h"
#include "ui/words/QuotedText.h"

#include <iterator>

namespace lapidor {

namespace {

QString shown(std::string_view outside)
{
    return QString::fromStdString(shownText(outside));
}

QString shown(const QString& outside)
{
    return shown(outside.toStdString());
}

QString number(double value)
{
    return QString::fromStdString(formatExperience(value, "."));
}

} // namespace

QString FileProblemText::word(const char* english, Language language)
{
    return language == Language::English ? QString::fromUtf8(english) : tr(english);
}

QString FileProblemText::problem(const FileProblem& problem, Language language)
{
    switch (problem.kind) {
    case FileProblem::Kind::None:
        return {};
    case FileProblem::Kind::NotAFile:
        switch (problem.found) {
        case FileKind::Missing:
            return word(QT_TR_NOOP("No such file or directory"), language);
        case FileKind::Regular:
            return {};
        case FileKind::Folder:
            return word(QT_TR_NOOP("it is a folder, not a file"), language);
        case FileKind::NamedPipe:
            return word(QT_TR_NOOP("it is a named pipe (FIFO), not a file"), language);
        case FileKind::Device:
            return word(QT_TR_NOOP("it is a device, not a file"), language);
        case FileKind::Socket:
            return word(QT_TR_NOOP("it is a socket, not a file"), language);
        case FileKind::Other:
            break;
        }
        return word(QT_TR_NOOP("it is not a regular file"), language);
    case FileProblem::Kind::TooLarge:
        // The exact count too, so that a byte over the limit shows.
        if (problem.size >= 1024)
            return word(QT_TR_NOOP("it is too large: %1 (%2 bytes), and at most %3 is read"), language)
                .arg(byteSize(problem.size, language), QString::number(problem.size),
                     byteSize(problem.limit, language));
        return word(QT_TR_NOOP("it is too large: %1, and at most %2 is read"), language)
            .arg(byteSize(problem.size, language), byteSize(problem.limit, language));
    case FileProblem::Kind::GrewWhileRead:
        return word(QT_TR_NOOP("it grew past %1 while it was read"), language).arg(byteSize(problem.limit, language));
    case FileProblem::Kind::ChangedWhileOpened:
        return word(QT_TR_NOOP("it changed while it was being opened"), language);
    case FileProblem::Kind::InUse:
        return word(QT_TR_NOOP("another program has it open and lets no one else read it"), language);
    case FileProblem::Kind::Locked:
        return word(QT_TR_NOOP("another program has locked some of it"), language);
    case FileProblem::Kind::System:
        // The system's own words, in the player's language where it has them.
        return language == Language::English ? QString::fromStdString(problem.words) : qt_error_string(problem.code);
    }
    return {};
}

QString FileProblemText::byteSize(std::uintmax_t bytes, Language language)
{
    if (bytes < 1024)
        return bytes == 1 ? word(QT_TR_NOOP("1 byte"), language)
                          : word(QT_TR_NOOP("%1 bytes"), language).arg(QString::number(bytes));
    const char* units[] = {"KiB", "MiB", "GiB", "TiB", "PiB", "EiB"};
    double value = double(bytes) / 1024;
    std::size_t unit = 0;
    while (value >= 1024 && unit + 1 < std::size(units)) {
        value /= 1024;
        ++unit;
    }
    // Whole units without a fraction; otherwise one decimal, so that 16 MiB
    // and one byte more do not read alike.
    const bool whole
        = double(bytes) == value * double(1ULL << (10 * (unit + 1))) && value == double(std::uintmax_t(value));
    // Numbers are written the same in every language, as the report writes them.
    return QString::number(value, 'f', whole ? 0 : 1) + QLatin1Char(' ') + QLatin1String(units[unit]);
}

QString FileProblemText::theFolder(const LevelsFile& file)
{
    const auto folder = file.folder.u8string(); // paths are wide on Windows
    return shown(std::string(folder.begin(), folder.end()));
}

// One sentence, which the clause ends: a question ends with the clause's own
// question mark.
QString FileProblemText::inTheFile(const LevelsFile& file, const QString& fileName, const QString& clause,
                                   bool question)
{
    const QString end = question ? QString() : QStringLiteral(".");
    if (file.folder.empty())
        return tr("In the file \"%1\", %2").arg(fileName, clause) + end;
    return tr("In the file \"%1\" in the folder \"%2\", %3").arg(fileName, theFolder(file), clause) + end;
}

// "1st", "2nd", "3rd", "4th", "11th", "21st": a language with another rule
// for its endings words each form as its own rule says ("%1." in German).
QString FileProblemText::ordinal(std::size_t number)
{
    const auto tens = number % 100;
    const auto ones = number % 10;
    const char* form = QT_TR_NOOP("%1th");
    if (tens < 11 || tens > 13) {
        if (ones == 1)
            form = QT_TR_NOOP("%1st");
        else if (ones == 2)
            form = QT_TR_NOOP("%1nd");
        else if (ones == 3)
            form = QT_TR_NOOP("%1rd");
    }
    return tr(form).arg(QString::number(number));
}

QString FileProblemText::irregularLine(const IrregularLine& line)
{
    const QString number = QString::number(line.number);
    switch (line.problem) {
    case IrregularLine::Problem::NoXpValue:
        return tr("line %1 has no XP value").arg(number);
    case IrregularLine::Problem::NoSpaceBeforeXp:
        return tr("line %1 has no space before 'XP='").arg(number);
    case IrregularLine::Problem::TabBeforeXp:
        return tr("line %1 has a tab before 'XP=', where a space belongs").arg(number);
    case IrregularLine::Problem::NoLevelMarker:
        return tr("line %1 has no '[LEVEL='").arg(number);
    case IrregularLine::Problem::XpBeforeLevelMarker:
        return tr("line %1 has ' XP' before '[LEVEL='").arg(number);
    case IrregularLine::Problem::NoClosedXpValue:
        return tr("line %1 has no XP value closed by ']'").arg(number);
    case IrregularLine::Problem::SeveralXpValues:
        if (line.xpValues == 2)
            return tr("line %1 has two XP values").arg(number);
        return tr("line %1 has %2 XP values").arg(number, QString::number(line.xpValues));
    case IrregularLine::Problem::BlanksAroundEquals:
        return tr("line %1 has blanks around '=': write %2=%3, without blanks around '='")
            .arg(number, QString::fromStdString(line.marker), shown(cutShort(line.value, longestQuotedText, "...")));
    case IrregularLine::Problem::LowerCaseMarker:
        // The marker is letters of LEVEL or XP, nothing else.
        return tr("line %1 has '%2=' in lower case: write LEVEL and XP in capitals")
            .arg(number, QString::fromStdString(line.marker));
    }
    return {};
}

QString FileProblemText::unreadable(const LevelsFile& file, const QString& fileName)
{
    QString reason;
    switch (file.failure) {
    case LevelsFile::Failure::File:
        reason = problem(file.problem);
        break;
    case LevelsFile::Failure::Utf16:
        reason = tr("it is saved as UTF-16, which Lapidor cannot read; save it as UTF-8 or plain text");
        break;
    case LevelsFile::Failure::WorkingFolder:
        reason = tr("the folder Lapidor was started in no longer exists");
        break;
    case LevelsFile::Failure::Memory:
        reason = tr("there is not enough memory to read it");
        break;
    case LevelsFile::Failure::None:
        break;
    }
    const QString told = file.folder.empty() ? tr("The file \"%1\" could not be read: %2.").arg(fileName, shown(reason))
                                             : tr("The file \"%1\" in the folder \"%2\" could not be read: %3.")
                                                   .arg(fileName, theFolder(file), shown(reason));
    switch (file.failure) {
    case LevelsFile::Failure::Memory:
        return told + QStringLiteral("\n\n") + tr("Close other programs and start Lapidor again.");
    case LevelsFile::Failure::WorkingFolder:
        return told + QStringLiteral("\n\n") + tr("Start Lapidor again from a folder that holds levels.txt.");
    default:
        return told + QStringLiteral("\n\n")
            + tr("Lapidor needs a plain text file there, of at most %1, with one level per line, such as "
                 "[LEVEL=2 XP=400]. Put one there and start Lapidor again.")
                  .arg(byteSize(largestLevelsFile));
    }
}

QString FileProblemText::misnumbered(const LevelsFile& file, const QString& fileName)
{
    const auto& level = *file.firstMisnumberedLevel;
    const QString place = QString::number(level.row + 1);
    const QString clause
        = tr("line %1 gives LEVEL=%2, but it is the %3 level in the file, so typing %4 uses XP=%5")
              .arg(QString::number(level.line), shown(cutShort(level.label, longestQuotedText, "...")),
                   ordinal(level.row + 1), place, shown(cutShort(level.threshold, longestQuotedText, "...")));
    QString sentence;
    switch (level.kind) {
    case MisnumberedLevel::Label::Higher:
        sentence = inTheFile(file, fileName, clause + QStringLiteral(": ") + tr("is a line missing above it?"), true);
        break;
    case MisnumberedLevel::Label::Lower:
        sentence = level.row == 0
            ? inTheFile(file, fileName, clause + QStringLiteral(": ") + tr("levels count from 1"))
            : inTheFile(file, fileName, clause + QStringLiteral(": ") + tr("is a line repeated above it?"), true);
        break;
    case MisnumberedLevel::Label::NotANumber:
        sentence = inTheFile(file, fileName, clause);
        break;
    }
    return sentence + QStringLiteral("\n\n")
        + tr("A level you type is found by its place in the file, so the levels should be numbered 1, 2, 3 and so "
             "on, one line each.")
        + QLatin1Char(' ') + tr("Correct the file and start Lapidor again.");
}

QString FileProblemText::oddThreshold(const LevelsFile& file, const QString& fileName)
{
    const auto& threshold = *file.firstOddThreshold;
    const QString line = QString::number(threshold.line);
    const QString level = QString::number(threshold.row + 1);
    const QString value = quotedOutsideText(threshold.text);
    QString told;
    switch (threshold.reading) {
    case OddThreshold::Reading::NotANumber:
        told = inTheFile(file, fileName, tr("line %1 gives the XP value %2, which is not a number").arg(line, value))
            + QLatin1Char(' ')
            + tr("A calculation from level %1 cannot be made, and looking up levels by experience reads that value "
                 "as %2.")
                  .arg(level, number(threshold.leadingValue));
        break;
    case OddThreshold::Reading::TooLarge:
        told = inTheFile(file, fileName,
                         tr("line %1 gives the XP value %2, which is beyond the numbers Lapidor can calculate with")
                             .arg(line, value))
            + QLatin1Char(' ')
            + tr("A calculation from level %1 cannot be made, and no experience reaches it.").arg(level);
        break;
    case OddThreshold::Reading::Number:
    case OddThreshold::Reading::LongNumber:
        told = inTheFile(file, fileName,
                         (threshold.reading == OddThreshold::Reading::Number
                              ? tr("line %1 gives the XP value %2, which is not written in plain digits")
                              : tr("line %1 gives the XP value %2, which has more than 15 digits"))
                             .arg(line, value))
            + QLatin1Char(' ') + tr("Lapidor reads it as %1.").arg(number(threshold.leadingValue));
        break;
    }
    return told + QStringLiteral("\n\n")
        + tr("Write each XP value in digits only, at most 15 of them, such as [LEVEL=2 XP=400].") + QLatin1Char(' ')
        + tr("Correct the file and start Lapidor again.");
}

QString FileProblemText::levelsWarning(LevelsWarning warning, const LevelsFile& file, const QString& fileName,
                                       const QString& samplePath)
{
    const QString eachLine = tr("Each line should give one level, such as [LEVEL=2 XP=400].");
    const QString correctIt = tr("Correct the file and start Lapidor again.");
    QString text;
    bool wantsAnotherFile = false;
    switch (warning) {
    case LevelsWarning::None:
        return {};
    case LevelsWarning::Unreadable:
        text = unreadable(file, fileName);
        wantsAnotherFile = file.failure == LevelsFile::Failure::File || file.failure == LevelsFile::Failure::Utf16;
        break;
    case LevelsWarning::NoLevels: {
        const QString why = file.firstIrregularLine ? irregularLine(*file.firstIrregularLine)
            : file.blank                            ? tr("it is empty")
                                                    : tr("no line gives a level");
        text = (file.folder.empty() ? tr("The file \"%1\" lists no levels: %2.").arg(fileName, why)
                                    : tr("The file \"%1\" in the folder \"%2\" lists no levels: %3.")
                                          .arg(fileName, theFolder(file), why))
            + QStringLiteral("\n\n") + eachLine + QLatin1Char(' ') + correctIt;
        wantsAnotherFile = true;
        break;
    }
    case LevelsWarning::OutOfStep: {
        const auto& line = *file.firstIrregularLine;
        text = inTheFile(file, fileName, irregularLine(line)) + QLatin1Char(' ')
            + (line.givesNoLevel
                   ? tr("That line gives no level, so every level after it counts one lower than the file means.")
                   : tr("From that line on, levels may be paired with the wrong experience."))
            + QStringLiteral("\n\n") + eachLine + QLatin1Char(' ') + correctIt;
        break;
    }
    case LevelsWarning::MisnumberedLevel:
        text = misnumbered(file, fileName);
        break;
    case LevelsWarning::OddThreshold:
        text = oddThreshold(file, fileName);
        break;
    case LevelsWarning::ThresholdsOutOfOrder: {
        const auto& order = *file.firstThresholdOutOfOrder;
        const QString line = QString::number(order.line);
        // Told only once every XP value is plain digits, so none is below 0:
        // a value out of order is no more than the one before it.
        const QString clause
            = tr("line %1 gives %2 XP, no more than the %3 XP of line %4")
                  .arg(line, shown(order.text), shown(order.previousText), QString::number(order.previousLine));
        const QString follows = order.value < order.previousValue && order.value > 0
            ? tr("From the current level, Lapidor uses the file as written; but from the current experience it "
                 "finds the largest XP value reached, so levels come out in the wrong order.")
            : tr("From the current level, Lapidor uses the file as written; but from the current experience it "
                 "finds the largest XP value reached, so level %1 can never be reached.")
                  .arg(QString::number(order.row + 1));
        text = inTheFile(file, fileName, clause) + QLatin1Char(' ') + follows + QStringLiteral("\n\n")
            + tr("The levels should be listed from the lowest XP value to the highest.") + QLatin1Char(' ') + correctIt;
        break;
    }
    }
    if (wantsAnotherFile && !samplePath.isEmpty())
        text += QLatin1Char(' ') + tr("A sample file to copy is installed at %1.").arg(shown(samplePath));
    return text;
}

} // namespace lapidor
