// Start-up's reading of levels.txt: whatever stands at the path or the
// file holds, the program gets a table and, where the player must hear
// something, one warning in plain words.
#include "app/LevelsLoading.h"
#include "calc/Calculation.h"
#include "files/PathSwapHook.h"
#include "text/ExperienceFormat.h"
#include "text/Numbers.h"
#include "text/ShownText.h"
#include "ui/words/CalculationFailureText.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace lapidor;

namespace {

void writeFile(const QString& path, const std::string& bytes)
{
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

// An outside text among the program's words, as the warning shows it.
QString shown(const QByteArray& outside)
{
    return QString::fromStdString(shownText(outside.toStdString()));
}

// A calculation from a level with no gems: "old XP | new XP", or why it fails.
QString fromLevel(const LevelLookup& levels, std::size_t level)
{
    CalculationInput input{StartMode::CurrentLevel, std::to_string(level), {}, {}, "."};
    input.countTexts.fill("0");
    const auto result = calculateReport(levels, input);
    return result.report ? QString::fromStdString(result.report->oldXp + " | " + result.report->newXp)
                         : CalculationFailureText::describe(*result.failure);
}

// A file's rows as read: "label | XP value".
QStringList rowsOf(const QByteArray& fileText)
{
    const auto table = readLevels(fileText.toStdString()).table;
    QStringList rows;
    for (std::ptrdiff_t row = 0; row < std::ptrdiff_t(std::max(table.labelCount(), table.thresholdCount())); ++row)
        rows << QString::fromStdString(std::string(table.label(row)) + " | " + std::string(table.threshold(row)));
    return rows;
}

// What the warning `said` claims about a file, checked against the table
// read from the same text.
void checkClaim(const QByteArray& fileText, const LevelsFile& file, const LevelLookup& levels, const QString& said)
{
    const QByteArrayList lines = QByteArray(fileText).replace("\r\n", "\n").replace('\r', '\n').split('\n');
    const QStringList rows = rowsOf(fileText);
    const auto partOf = [&rows](std::size_t row) { return rows.value(qsizetype(row)).split(" | "); };
    if (said.contains("lists no levels"))
        QCOMPARE(said.contains("it is empty"), QString(fileText).contains(QRegularExpression("^\uFEFF?[ \t\r\n]*$")));
    if (const auto& line = file.firstIrregularLine; line && said.contains("That line gives no level")) {
        // Meant as a level, yet the file reads the same without it.
        const auto named = QString::fromUtf8(lines[qsizetype(line->number) - 1]);
        QVERIFY(named.contains(QRegularExpression("(level|xp)[ \t]*=", QRegularExpression::CaseInsensitiveOption)));
        QVERIFY(!said.contains("tab before") || named.contains("\tXP="));
        QCOMPARE(rowsOf((lines.mid(0, qsizetype(line->number) - 1) + lines.mid(qsizetype(line->number))).join('\n')),
                 rows);
    }
    if (const auto& level = file.firstMisnumberedLevel; level && said.contains("but it is the")) {
        // Typing its place finds its XP value; its label is not its place,
        // and every label before it is.
        QCOMPARE(partOf(level->row),
                 QStringList({QString::fromStdString(level->label), QString::fromStdString(level->threshold)}));
        QVERIFY(fromLevel(levels, level->row + 1).startsWith(QString::fromStdString(level->threshold) + " | "));
        for (std::size_t row = 0; row < level->row; ++row)
            QCOMPARE(partOf(row)[0].trimmed().toULongLong(), row + 1);
        bool isNumber = false;
        const auto label = QString::fromStdString(level->label).trimmed().toULongLong(&isNumber);
        QCOMPARE(said.contains("missing above"), isNumber && label > level->row + 1);
        QCOMPARE(said.contains("repeated above") || said.contains("count from 1"), isNumber && label < level->row + 1);
    }
    if (const auto& threshold = file.firstOddThreshold; threshold && said.contains("gives the XP value")) {
        // Not plain digits, and read by a calculation from its level as said.
        const auto value = QString::fromStdString(formatExperience(leadingNumber(threshold->text), "."));
        QCOMPARE(partOf(threshold->row).value(1), QString::fromStdString(threshold->text));
        QVERIFY(!partOf(threshold->row).value(1).contains(QRegularExpression("^[ \t]*0*[0-9]{1,15}[ \t]*$")));
        QCOMPARE(fromLevel(levels, threshold->row + 1).endsWith(" | " + value), said.contains("reads it as " + value));
    }
    if (const auto& order = file.firstThresholdOutOfOrder; order && said.contains("no more than")) {
        // More experience finds a lower level, or the level is never found.
        QCOMPARE(partOf(order->row).value(1).toDouble(), order->value);
        QVERIFY(order->value <= partOf(order->row - 1).value(1).toDouble());
        if (said.contains("wrong order"))
            QVERIFY(levels.findLevelIndex(order->previousValue) < levels.findLevelIndex(order->value));
        else
            for (const double x : {order->value, order->previousValue, 1e300})
                QVERIFY(levels.findLevelIndex(x) != std::ptrdiff_t(order->row));
    }
}

} // namespace

class LevelsLoadingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void warnsAtStartUp_data();
    void warnsAtStartUp();

private:
    QTemporaryDir dataDir_;
};

void LevelsLoadingTest::initTestCase()
{
    // No sample installed on this machine is found.
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataDir_.filePath("home")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(dataDir_.filePath("system")));
}

// What stands at the path, or what the file holds; "gone" starts in a
// working folder that has been deleted, "limited" reads with little memory.
void LevelsLoadingTest::warnsAtStartUp_data()
{
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<QByteArray>("fileText");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("saying");

    const auto unreadable = int(LevelsWarning::Unreadable);
    const auto noLevels = int(LevelsWarning::NoLevels);
    const auto outOfStep = int(LevelsWarning::OutOfStep);
    const auto misnumbered = int(LevelsWarning::MisnumberedLevel);
    const auto oddThreshold = int(LevelsWarning::OddThreshold);
    const QByteArray twoLevels = "[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=250]\r\n";

    QFile sampleFile(":/levels.txt");
    QVERIFY(sampleFile.open(QIODevice::ReadOnly));
    const QByteArray sample = sampleFile.readAll();

    // clang-format off
    QTest::newRow("well-formed file") << "file" << twoLevels << int(LevelsWarning::None) << "";
    QTest::newRow("missing file") << "missing" << QByteArray() << unreadable << "No such file or directory";
    QTest::newRow("folder") << "folder" << QByteArray() << unreadable << "it is a folder, not a file";
    QTest::newRow("named pipe") << "fifo" << QByteArray() << unreadable << "it is a named pipe (FIFO), not a file";
    QTest::newRow("symlink to a named pipe") << "link to fifo" << QByteArray() << unreadable << "named pipe (FIFO)";
    QTest::newRow("symlink to /dev/zero") << "link to /dev/zero" << QByteArray() << unreadable << "it is a device, not a file";
    QTest::newRow("symlink to a regular file is read") << "link to file" << twoLevels << int(LevelsWarning::None) << "";
    QTest::newRow("sparse file far over the cap") << "sparse 64 GiB" << QByteArray() << unreadable << "it is too large: 64 GiB (68719476736 bytes), and at most 16 MiB is read";
    QTest::newRow("file just over the cap") << "16 MiB + 1" << QByteArray() << unreadable << "too large: 16.0 MiB (16777217 bytes)";
    QTest::newRow("file at the cap is read") << "16 MiB" << QByteArray() << noLevels << "lists no levels: it is empty";
    QTest::newRow("16 MiB of NUL bytes are not empty") << "16 MiB of NUL bytes" << QByteArray() << noLevels << "lists no levels: no line gives a level.";
    QTest::newRow("working folder deleted") << "gone" << QByteArray() << unreadable << "the folder Lapidor was started in no longer exists";
    QTest::newRow("more than the reader may hold") << "limited" << twoLevels << unreadable << "there is not enough memory to read it";
    QTest::newRow("labels without an XP value count against the limit too") << "limited" << QByteArray("[LEVEL=a XP\n").repeated(1000) << unreadable << "there is not enough memory to read it.\n\nClose other programs";
    QTest::newRow("the room asked for up front holds every label") << "just within the limit" << QByteArray("[LEVEL=a XP\n").repeated(1000) << noLevels << "lists no levels";
    QTest::newRow("UTF-16, big-endian") << "file" << QByteArray("\xfe\xff\0[\0L", 6) << unreadable << "it is saved as UTF-16";
    QTest::newRow("UTF-16") << "file" << QByteArray("\xff\xfe[\0L\0", 6) << unreadable << "it is saved as UTF-16, which Lapidor cannot read; save it as UTF-8 or plain text";
    QTest::newRow("empty file") << "file" << QByteArray() << noLevels << "lists no levels: it is empty";
    QTest::newRow("blanks and line ends only are empty") << "file" << QByteArray("\xEF\xBB\xBF \t\r\n\n\r  ") << noLevels << "lists no levels: it is empty";
    QTest::newRow("notes only are not empty") << "file" << QByteArray("# My level table, copied from the wiki\r\n# to be filled in\r\n") << noLevels << "lists no levels: no line gives a level.";
    QTest::newRow("a picture is not empty") << "file" << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20) << noLevels << "lists no levels: no line gives a level.";
    QTest::newRow("no level that gives an XP value") << "file" << QByteArray("\r\n[LEVEL=1 XP=]\r\n") << noLevels << "lists no levels: line 2 has no XP value closed by ']'";
    QTest::newRow("out of step") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=250\n[LEVEL=3 XP=800]") << outOfStep << "line 2 has no XP value closed by ']'";
    QTest::newRow("a line that silently drops a level") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=5XP=100]\n[LEVEL=6 XP=200]\n") << outOfStep << "line 2 has no space before 'XP='. That line gives no level, so every level after it counts one lower than the file means.";
    QTest::newRow("a tab is called a tab") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2\tXP=400]\n[LEVEL=3 XP=800]\n") << outOfStep << "line 2 has a tab before 'XP=', where a space belongs. That line gives no level";
    QTest::newRow("markers in lower case") << "file" << QByteArray("[level=1 xp=0]\n[LEVEL=2 XP=400]\n") << outOfStep << "line 1 has 'level=' in lower case: write LEVEL and XP in capitals. That line gives no level";
    QTest::newRow("a note that mentions the word level gets no word") << "file" << QByteArray("# My level table, copied from the wiki\n") + twoLevels << int(LevelsWarning::None) << "";
    QTest::newRow("a note that mentions a level number gets no word") << "file" << QByteArray("[LEVEL=1 XP=0]\n# level 100 onwards\n[LEVEL=2 XP=400]") << int(LevelsWarning::None) << "";
    QTest::newRow("file swapped for a named pipe between the look and the open") << "swapped for fifo" << twoLevels << unreadable << "it changed while it was being opened";
    QTest::newRow("threshold with a letter O") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=400]\n[LEVEL=3 XP=24O0]\n") << oddThreshold << "line 3 gives the XP value \"24O0\", which is not a number. A calculation from level 3 cannot be made, " "and looking up levels by experience reads that value as 24.";
    QTest::newRow("threshold with a grouping separator") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=1,000]") << oddThreshold << "line 2 gives the XP value \"1,000\"";
    QTest::newRow("threshold with a fraction") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=89140.5]") << oddThreshold << "line 2 gives the XP value \"" + shown("89140.5") + "\", which is not written in plain digits. Lapidor reads it as 89140.5.\n\nWrite each XP value in digits only, at most 15 of them, such as [LEVEL=2 XP=400].";
    QTest::newRow("threshold with an exponent") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=8.914e4]") << oddThreshold << "line 2 gives the XP value \"" + shown("8.914e4") + "\", which is not written in plain digits. Lapidor reads it as 89140.";
    QTest::newRow("threshold with a plus sign") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=+89140]") << oddThreshold << "line 2 gives the XP value \"" + shown("+89140") + "\", which is not written in plain digits. Lapidor reads it as 89140.";
    QTest::newRow("threshold below 0") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=-5]") << oddThreshold << "line 2 gives the XP value \"" + shown("-5") + "\", which is not written in plain digits. Lapidor reads it as -5.";
    QTest::newRow("threshold of more than 15 digits") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=0099999999999999999999]") << oddThreshold << "line 2 gives the XP value \"" + shown("0099999999999999999999") + "\", which has more than 15 digits. Lapidor reads it as 1E+20.";
    QTest::newRow("threshold beyond a double") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=1e400]") << oddThreshold << "which is beyond the numbers Lapidor can calculate with. A calculation from level 2 cannot be made, and no experience reaches it.";
    QTest::newRow("leading zeros and blanks at the ends are plain digits") << "file" << QByteArray("[LEVEL=1 XP=0000000000000000000]\n[LEVEL=2 XP= 000000000000000400\t]") << int(LevelsWarning::None) << "";
    QTest::newRow("thresholds running down") << "file" << QByteArray("[LEVEL=Fifth XP=4000]\n[LEVEL=Fourth XP=3000]\n[LEVEL=Third XP=2000]\n[LEVEL=Second XP=1000]\n[LEVEL=First XP=0]\n") << int(LevelsWarning::ThresholdsOutOfOrder) << "line 2 gives 3000 XP, no more than the 4000 XP of line 1. From the current level, " "Lapidor uses the file as written; but from the current experience it finds the largest XP value reached, " "so " "levels come out in the wrong order.";
    QTest::newRow("repeated threshold") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=400]\n[LEVEL=3 XP=400]") << int(LevelsWarning::ThresholdsOutOfOrder) << "no more than the 400 XP of line 2. From the current " "level, Lapidor uses the file as written; but from the current experience " "it finds the largest XP value reached, " "so level 3 can never be reached.";
    QTest::newRow("zero after the first line") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=0]") << int(LevelsWarning::ThresholdsOutOfOrder) << "line 2 gives 0 XP, no more than";
    QTest::newRow("negative after a lower one") << "file" << QByteArray("[LEVEL=1 XP=-10]\n[LEVEL=2 XP=-5]") << oddThreshold << "line 1 gives the XP value \"" + shown("-10") + "\", which is not written in plain digits. Lapidor reads it as -10.";
    QTest::newRow("typo is told before disorder") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=0]\n[LEVEL=3 XP=x]") << oddThreshold << "line 3 gives the XP value";
    QTest::newRow("a line out of step is told before a typo") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=x]\n[LEVEL=3 XP=5] XP=6]") << outOfStep << "line 3 has two XP values";
    QTest::newRow("note line gets no word") << "file" << QByteArray("# levels for season 3\n[LEVEL=1 XP=0]\n[LEVEL=2 XP=400]\n") << int(LevelsWarning::None) << "";
    QTest::newRow("blanks around = are said as such") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL = 2 XP = 400]\n") << outOfStep << "line 2 has blanks around '=': write XP=400, without blanks around '='. From that line on, levels may " "be paired with the wrong experience.";
    QTest::newRow("the sample") << "file" << sample << int(LevelsWarning::None) << "";
    QTest::newRow("a deleted line") << "file" << QByteArray(sample).replace("[LEVEL=4 XP=6960]\r\n", "") << misnumbered << "line 4 gives LEVEL=" + shown("5") + ", but it is the 4th level in the file, so typing 4 uses XP=" + shown("14700") + ": is a line missing above it?\n\nA level you type is found by its place in the file";
    QTest::newRow("a repeated line") << "file" << QByteArray(sample).replace("[LEVEL=2 XP=400]\r\n", "[LEVEL=2 XP=400]\r\n[LEVEL=2 XP=400]\r\n") << misnumbered << "line 3 gives LEVEL=" + shown("2") + ", but it is the 3rd level in the file, so typing 3 uses XP=" + shown("400") + ": is a line repeated above it?";
    QTest::newRow("a letter O for a zero") << "file" << QByteArray(sample).replace("[LEVEL=10 XP", "[LEVEL=1O XP") << misnumbered << "line 10 gives LEVEL=" + shown("1O") + ", but it is the 10th level in the file, so typing 10 uses XP=" + shown("121090") + ".\n\n";
    QTest::newRow("a first label 0") << "file" << QByteArray("[LEVEL=0 XP=0]\n[LEVEL=1 XP=400]\n") << misnumbered << "line 1 gives LEVEL=" + shown("0") + ", but it is the 1st level in the file, so typing 1 uses XP=" + shown("0") + ": levels count from 1.";
    QTest::newRow("a place told after the lines out of step") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=3 XP=9]\n[LEVEL=4 XP=10] XP=11]") << outOfStep << "line 3 has two XP values";
    QTest::newRow("a place told before the XP values") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=3 XP=9.5]\n[LEVEL=4 XP=1]") << misnumbered << "line 2 gives LEVEL=" + shown("3") + ", but it is the 2nd level";
    QTest::newRow("a line missing further down") << "file" << QByteArray(sample).replace("[LEVEL=12 XP=204020]\r\n", "") << misnumbered << "line 12 gives LEVEL=" + shown("13") + ", but it is the 12th level";
    QTest::newRow("labels in words are not counted") << "file" << QByteArray("[LEVEL=Novice XP=0]\n[LEVEL=Adept XP=400]\n[LEVEL=7 XP=900]\n") << int(LevelsWarning::None) << "";
    QTest::newRow("blank lines are well-formed") << "file" << QByteArray("\n[LEVEL=1 XP=0]\n\n  \n") << int(LevelsWarning::None) << "";
    // clang-format on
}

void LevelsLoadingTest::warnsAtStartUp()
{
    QFETCH(QString, setUp);
    QFETCH(QByteArray, fileText);
    QFETCH(int, kind);
    QFETCH(QString, saying);

#ifdef Q_OS_WIN
    // Named pipes, symlinks, /dev/zero and a deleted working folder are
    // Linux's; the Windows reader's own table lives beside its code.
    if (setUp.contains("fifo") || setUp.startsWith("link") || setUp == "gone")
        QSKIP("no named pipe, symlink, /dev/zero or deleted working folder to make here on Windows");
#endif
    QTemporaryDir dir;
    const QString path = dir.filePath("levels.txt");
    const QString elsewhere = dir.filePath("elsewhere");
    std::size_t memoryLimit = unlimitedMemory;
    if (setUp == "file" || setUp == "limited" || setUp == "just within the limit" || setUp == "swapped for fifo") {
        writeFile(path, fileText.toStdString());
        if (setUp == "limited")
            memoryLimit = std::size_t(fileText.size()) + 10;
        // Room for both lists' text, each as long as the file, and where
        // every sixteenth item begins.
        if (setUp == "just within the limit")
            memoryLimit = 2 * (std::size_t(fileText.size()) + (std::size_t(fileText.size()) / 16 + 1) * 4);
    } else if (setUp == "folder") {
        QVERIFY(QDir(dir.path()).mkdir("levels.txt"));
#ifndef Q_OS_WIN
    } else if (setUp == "fifo" || setUp == "link to fifo") {
        QCOMPARE(mkfifo(QFile::encodeName(setUp == "fifo" ? path : elsewhere).constData(), 0600), 0);
        if (setUp == "link to fifo")
            QVERIFY(QFile::link(elsewhere, path));
    } else if (setUp == "link to /dev/zero") {
        QVERIFY(QFile::link("/dev/zero", path));
    } else if (setUp == "link to file") {
        writeFile(elsewhere, fileText.toStdString());
        QVERIFY(QFile::link(elsewhere, path));
#endif
    } else if (setUp.startsWith("sparse") || setUp.startsWith("16 MiB")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const qint64 size
            = setUp == "sparse 64 GiB" ? (qint64(64) << 30) : (16 << 20) + (setUp.endsWith("+ 1") ? 1 : 0);
        if (setUp == "16 MiB")
            QCOMPARE(file.write(QByteArray(size, ' ')), size); // blanks: valid text, no levels
        else
            QVERIFY(file.resize(size));
    }

    ReadLevels read;
    if (setUp == "gone") {
        const QString previous = QDir::currentPath();
        QVERIFY(QDir(dir.path()).mkdir("gone") && QDir::setCurrent(dir.filePath("gone")));
        QVERIFY(QDir(dir.path()).rmdir("gone"));
        read = readLevels(QStringLiteral("levels.txt"));
        QVERIFY(QDir::setCurrent(previous));
    } else {
#ifndef Q_OS_WIN
        if (setUp == "swapped for fifo")
            setPathSwapHook([](const std::filesystem::path& at) {
                std::filesystem::remove(at);
                mkfifo(at.c_str(), 0600);
            });
#endif
        read = readLevels(path, memoryLimit);
        setPathSwapHook({});
    }
    const LevelsFile file = read.file;
    const auto loaded = toldAbout(std::move(read), path);

    const QString& text = loaded.warningText;
    QCOMPARE(int(loaded.warning), kind);
    QVERIFY2(text.contains(saying), qPrintable(text));
    if (setUp == "file")
        checkClaim(fileText, file, loaded.levels, text);
    if (QTest::currentTestFailed())
        return;
    if (loaded.warning == LevelsWarning::None)
        return;
    QVERIFY2(text.contains("\"levels.txt\""), qPrintable(text));
    if (setUp != "gone")
        QVERIFY2(text.contains("in the folder \"" + dir.path() + "\""), qPrintable(text));
    else
        QVERIFY2(!text.contains("in the folder"), qPrintable(text));
    if (loaded.warning == LevelsWarning::Unreadable) {
        QVERIFY(loaded.levels.table().labelCount() == 0 && loaded.levels.table().thresholdCount() == 0);
        QVERIFY2(text.contains("start Lapidor again", Qt::CaseInsensitive), qPrintable(text));
        // A calculation from a level then says why it finds none.
        QCOMPARE(fromLevel(loaded.levels, 2),
                 setUp == "missing" || setUp == "gone" ? "Level 2 cannot be looked up: there is no levels.txt."
                                                       : "Level 2 cannot be looked up: levels.txt could not be read.");
    }
}

QTEST_APPLESS_MAIN(LevelsLoadingTest)
#include "tst_levelsloading.moc"
