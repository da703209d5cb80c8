#include "files/PathSwapHook.h"
#include "files/ReadWhole.h"
#include "levels/LevelsReader.h"
#include "levels/LevelsWarning.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <climits>
#include <fstream>
#include <sys/stat.h>

using namespace lapidor;

namespace {

QByteArrayList toList(const std::vector<std::string_view>& items)
{
    QByteArrayList list;
    for (const auto item : items)
        list << QByteArray(item.data(), qsizetype(item.size()));
    return list;
}

QByteArray bytes(std::string_view text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

void writeFile(const QString& path, const std::string& bytes)
{
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

} // namespace

class LevelsReaderTest : public QObject {
    Q_OBJECT

private slots:
    void readsLines_data();
    void readsLines();
    void rowsOutsideAListReadEmpty();
    void readsAFileFromDisk();
    void decodesAsUtf8OrLatin1_data();
    void decodesAsUtf8OrLatin1();
    void warnsAtStartUp_data();
    void warnsAtStartUp();
    void readsLargeFilesWhole();
    void readsWholeWithinTheLimit_data();
    void readsWholeWithinTheLimit();
};

void LevelsReaderTest::readsLines_data()
{
    QTest::addColumn<QByteArray>("fileText");
    QTest::addColumn<QByteArrayList>("labels");
    QTest::addColumn<QByteArrayList>("thresholds");
    QTest::addColumn<QString>("firstIrregularLine"); // empty when every line gives one level

    const QByteArray nul(1, '\0');

    QTest::newRow("well-formed file") << QByteArray("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=250]\r\n[LEVEL=3 XP=800]")
                                      << QByteArrayList{"1", "2", "3"} << QByteArrayList{"0", "250", "800"}
                                      << QString();
    QTest::newRow("empty file") << QByteArray() << QByteArrayList{} << QByteArrayList{} << QString();
    QTest::newRow("final line end adds no row")
        << QByteArray("[LEVEL=1 XP=0]\r\n") << QByteArrayList{"1"} << QByteArrayList{"0"} << QString();
    QTest::newRow("lone CR ends a line") << QByteArray("[LEVEL=1 XP=0]\r[LEVEL=2 XP=5]\r") << QByteArrayList{"1", "2"}
                                         << QByteArrayList{"0", "5"} << QString();
    QTest::newRow("LF ends a line, as on Linux")
        << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=250]\n[LEVEL=3 XP=800]\n") << QByteArrayList{"1", "2", "3"}
        << QByteArrayList{"0", "250", "800"} << QString();
    QTest::newRow("LF after CR LF is a blank line")
        << QByteArray("[LEVEL=1 XP=0]\r\n\n[LEVEL=2 XP=5]") << QByteArrayList{"1", "2"} << QByteArrayList{"0", "5"}
        << QString();
    QTest::newRow("two XP= groups add two thresholds")
        << QByteArray("[LEVEL=3 XP=800] XP=900]") << QByteArrayList{"3"} << QByteArrayList{"800", "900"}
        << QString("line 1 has two XP values");
    QTest::newRow("threshold without ] adds label only")
        << QByteArray("[LEVEL=2 XP=250") << QByteArrayList{"2"} << QByteArrayList{}
        << QString("line 1 has no XP value closed by ']'");
    QTest::newRow("XP= followed by ] adds label only")
        << QByteArray("[LEVEL=2 XP=]") << QByteArrayList{"2"} << QByteArrayList{}
        << QString("line 1 has no XP value closed by ']'");
    QTest::newRow("no XP= adds label only") << QByteArray("[LEVEL=5 XP 100]") << QByteArrayList{"5"} << QByteArrayList{}
                                            << QString("line 1 has no XP value closed by ']'");
    QTest::newRow("without [LEVEL= the label starts at the seventh character")
        << QByteArray("abcdefLABEL XP=5]") << QByteArrayList{"LABEL"} << QByteArrayList{"5"} << QString();
    QTest::newRow("label keeps its spaces") << QByteArray("[LEVEL=Grand Master XP=100]")
                                            << QByteArrayList{"Grand Master"} << QByteArrayList{"100"} << QString();
    QTest::newRow("empty label") << QByteArray("[LEVEL= XP=100]") << QByteArrayList{""} << QByteArrayList{"100"}
                                 << QString();
    QTest::newRow("threshold keeps its spaces")
        << QByteArray("[LEVEL=1 XP= 1 000 ]") << QByteArrayList{"1"} << QByteArrayList{" 1 000 "} << QString();
    QTest::newRow("text after ] is ignored")
        << QByteArray("[LEVEL=1 XP=0] the start") << QByteArrayList{"1"} << QByteArrayList{"0"} << QString();
    QTest::newRow("lower-case level marker counts as absent")
        << QByteArray("[level=1 XP=0]") << QByteArrayList{"=1"} << QByteArrayList{"0"} << QString();
    QTest::newRow("lower-case xp marker counts as absent")
        << QByteArray("[LEVEL=1 xp=0]\r\n[LEVEL=2 XP=5]") << QByteArrayList{"2"} << QByteArrayList{"5"}
        << QString("line 1 has no XP value");
    QTest::newRow("out-of-step file pairs later rows differently")
        << QByteArray("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=250\r\n[LEVEL=3 XP=800] XP=900]") << QByteArrayList{"1", "2", "3"}
        << QByteArrayList{"0", "800", "900"} << QString("line 2 has no XP value closed by ']'");
    QTest::newRow("blank line adds nothing") << QByteArray("[LEVEL=1 XP=0]\r\n\r\n[LEVEL=2 XP=5]")
                                             << QByteArrayList{"1", "2"} << QByteArrayList{"0", "5"} << QString();
    QTest::newRow("extra blank line at the end adds nothing")
        << QByteArray("[LEVEL=1 XP=0]\r\n\r\n") << QByteArrayList{"1"} << QByteArrayList{"0"} << QString();
    QTest::newRow("line without ' XP' drops its thresholds too")
        << QByteArray("[LEVEL=1XP=0]\r\n[LEVEL=2 XP=5]") << QByteArrayList{"2"} << QByteArrayList{"5"}
        << QString("line 1 has no space before 'XP='");
    QTest::newRow("' XP' before [LEVEL= adds nothing")
        << QByteArray(" XP [LEVEL=1 XP=0]") << QByteArrayList{} << QByteArrayList{}
        << QString("line 1 has ' XP' before '[LEVEL='");
    QTest::newRow("' XP' before the seventh character adds nothing")
        << QByteArray("ab XP=5]") << QByteArrayList{} << QByteArrayList{} << QString("line 1 has no '[LEVEL='");
    QTest::newRow("8-bit and NUL bytes are kept")
        << QByteArray("[LEVEL=\xe9" + nul + "t XP=1" + nul + "]") << QByteArrayList{"\xe9" + nul + "t"}
        << QByteArrayList{"1" + nul} << QString();
    QTest::newRow("mixed line ends") << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=5]\r[LEVEL=3 XP=9]\r\n")
                                     << QByteArrayList{"1", "2", "3"} << QByteArrayList{"0", "5", "9"} << QString();
    QTest::newRow("line numbers count LF line ends")
        << QByteArray("[LEVEL=1 XP=0]\n\n[LEVEL=3 XP=9] XP=10]") << QByteArrayList{"1", "3"}
        << QByteArrayList{"0", "9", "10"} << QString("line 3 has two XP values");
    QTest::newRow("three XP values") << QByteArray("[LEVEL=1 XP=0] XP=1] XP=2]") << QByteArrayList{"1"}
                                     << QByteArrayList{"0", "1", "2"} << QString("line 1 has 3 XP values");
    QTest::newRow("line of blanks is well-formed") << QByteArray("[LEVEL=1 XP=0]\r\n \t \r\n[LEVEL=2 XP=5]")
                                                   << QByteArrayList{"1", "2"} << QByteArrayList{"0", "5"} << QString();
    QTest::newRow("note line is like a blank line") << QByteArray("# levels for season 3\r\n[LEVEL=1 XP=0]")
                                                    << QByteArrayList{"1"} << QByteArrayList{"0"} << QString();
    QTest::newRow("title in capitals is like a blank line")
        << QByteArray("EXPERIENCE LEVELS\n[LEVEL=1 XP=0]") << QByteArrayList{"1"} << QByteArrayList{"0"} << QString();
    QTest::newRow("line that mentions a level and gives none")
        << QByteArray("Level 1 starts at 0\n[LEVEL=2 XP=5]") << QByteArrayList{"2"} << QByteArrayList{"5"}
        << QString("line 1 has no XP value");
    QTest::newRow("blanks around = are named")
        << QByteArray("[LEVEL=1 XP=0]\n[LEVEL = 2 XP = 400]") << QByteArrayList{"1", " = 2"} << QByteArrayList{"0"}
        << QString("line 2 has blanks around '=': write XP=\u2068"
                   "400\u2069, without blanks around '='");
    QTest::newRow("blank after XP= in a line without ']'")
        << QByteArray("[LEVEL=2 XP= 400") << QByteArrayList{"2"} << QByteArrayList{}
        << QString("line 1 has blanks around '=': write XP=\u2068"
                   "400\u2069, without blanks around '='");
    QTest::newRow("UTF-8 byte-order mark is skipped") << QByteArray("\xEF\xBB\xBF"
                                                                    "abcdefL XP=5]")
                                                      << QByteArrayList{"L"} << QByteArrayList{"5"} << QString();
}

void LevelsReaderTest::readsLines()
{
    QFETCH(QByteArray, fileText);
    QFETCH(QByteArrayList, labels);
    QFETCH(QByteArrayList, thresholds);
    QFETCH(QString, firstIrregularLine);

    const auto file = readLevels(fileText.toStdString());
    QCOMPARE(toList(file.table.labelTexts()), labels);
    QCOMPARE(toList(file.table.thresholdTexts()), thresholds);
    const auto& irregular = file.firstIrregularLine;
    QCOMPARE(irregular ? QString("line %1 %2").arg(irregular->number).arg(QString::fromStdString(irregular->problem))
                       : QString(),
             firstIrregularLine);
}

void LevelsReaderTest::rowsOutsideAListReadEmpty()
{
    const auto table = readLevels("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=5] XP=7]").table;
    QCOMPARE(table.size(), 3u);
    QCOMPARE(bytes(table.label(1)), QByteArray("2"));
    QCOMPARE(bytes(table.label(2)), QByteArray(""));
    QCOMPARE(bytes(table.label(-1)), QByteArray(""));
    QCOMPARE(bytes(table.threshold(2)), QByteArray("7"));
    QCOMPARE(bytes(table.threshold(3)), QByteArray(""));
    QCOMPARE(bytes(table.threshold(-1)), QByteArray(""));
}

void LevelsReaderTest::readsAFileFromDisk()
{
    QTemporaryDir dir;
    const auto path = dir.filePath("levels.txt");
    writeFile(path, "[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=250]\r\n");

    const auto file = readLevelsFile(path.toStdString());
    QVERIFY2(file.unreadable.empty(), file.unreadable.c_str());
    QCOMPARE(toList(file.table.labelTexts()), (QByteArrayList{"1", "2"}));
    QCOMPARE(toList(file.table.thresholdTexts()), (QByteArrayList{"0", "250"}));
}

void LevelsReaderTest::decodesAsUtf8OrLatin1_data()
{
    QTest::addColumn<QByteArray>("fileText");
    QTest::addColumn<QString>("firstLabel");

    QTest::newRow("ASCII") << QByteArray("[LEVEL=Rank 1 XP=0]") << "Rank 1";
    QTest::newRow("valid UTF-8 reads as UTF-8")
        << QByteArray("[LEVEL=Niveau \xc3\xa9lev\xc3\xa9 XP=0]") << QString::fromUtf8("Niveau \u00e9lev\u00e9");
    QTest::newRow("8-bit text reads as Latin-1")
        << QByteArray("[LEVEL=Niveau \xe9lev\xe9 XP=0]") << QString::fromUtf8("Niveau \u00e9lev\u00e9");
    QTest::newRow("one byte that is not UTF-8 makes the whole file Latin-1")
        << QByteArray("[LEVEL=\xc3\xa9 XP=0]\r\n[LEVEL=\xe9 XP=1]") << QString::fromUtf8("\u00c3\u00a9");
    QTest::newRow("overlong form is not UTF-8")
        << QByteArray("[LEVEL=\xc0\xaf XP=0]") << QString::fromUtf8("\u00c0\u00af");
    QTest::newRow("stray continuation byte is not UTF-8")
        << QByteArray("[LEVEL=a\x80 XP=0]") << QString::fromUtf8("a\u0080");
    QTest::newRow("two-byte form cut short is not UTF-8")
        << QByteArray("[LEVEL=\xc3 XP=0]") << QString::fromUtf8("\u00c3");
    QTest::newRow("three-byte form cut short is not UTF-8")
        << QByteArray("[LEVEL=\xe2\x82 XP=0]") << QString::fromUtf8("\u00e2\u0082");
    QTest::newRow("four-byte form cut short is not UTF-8")
        << QByteArray("[LEVEL=\xf0\x9f\x92 XP=0]") << QString::fromUtf8("\u00f0\u009f\u0092");
    QTest::newRow("C1 lead byte is an overlong form")
        << QByteArray("[LEVEL=\xc1\xbf XP=0]") << QString::fromUtf8("\u00c1\u00bf");
    QTest::newRow("overlong three-byte form is not UTF-8")
        << QByteArray("[LEVEL=\xe0\x80\xaf XP=0]") << QString::fromUtf8("\u00e0\u0080\u00af");
    QTest::newRow("overlong four-byte form is not UTF-8")
        << QByteArray("[LEVEL=\xf0\x80\x80\xaf XP=0]") << QString::fromUtf8("\u00f0\u0080\u0080\u00af");
    QTest::newRow("surrogate is not UTF-8")
        << QByteArray("[LEVEL=\xed\xa0\x80 XP=0]") << QString::fromUtf8("\u00ed\u00a0\u0080");
    QTest::newRow("beyond U+10FFFF is not UTF-8")
        << QByteArray("[LEVEL=\xf4\x90\x80\x80 XP=0]") << QString::fromUtf8("\u00f4\u0090\u0080\u0080");
    QTest::newRow("lead byte F5 is not UTF-8")
        << QByteArray("[LEVEL=\xf5\x80\x80\x80 XP=0]") << QString::fromUtf8("\u00f5\u0080\u0080\u0080");
    QTest::newRow("last character before the surrogates is UTF-8")
        << QByteArray("[LEVEL=\xed\x9f\xbf XP=0]") << QString::fromUtf8("\ud7ff");
    QTest::newRow("U+10FFFF is UTF-8") << QByteArray("[LEVEL=\xf4\x8f\xbf\xbf XP=0]")
                                       << QString::fromUtf8("\U0010ffff");
    QTest::newRow("UTF-8 byte-order mark is not part of the text")
        << QByteArray("\xef\xbb\xbf[LEVEL=\xe2\x82\xac XP=0]") << QString::fromUtf8("\u20ac");
}

void LevelsReaderTest::decodesAsUtf8OrLatin1()
{
    QFETCH(QByteArray, fileText);
    QFETCH(QString, firstLabel);
    const auto table = readLevels(fileText.toStdString()).table;
    QCOMPARE(QString::fromStdString(toUtf8(table.label(0), table.encoding)), firstLabel);
}

// What stands at the path, or what the file holds; "gone" starts in a
// working folder that has been deleted, "limited" reads with little memory.
void LevelsReaderTest::warnsAtStartUp_data()
{
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<QByteArray>("fileText");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("saying");

    const auto unreadable = int(LevelsWarning::Kind::Unreadable);
    const auto noLevels = int(LevelsWarning::Kind::NoLevels);
    const auto outOfStep = int(LevelsWarning::Kind::OutOfStep);
    const QByteArray twoLevels = "[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=250]\r\n";

    QTest::newRow("well-formed file") << "file" << twoLevels << int(LevelsWarning::Kind::None) << "";
    QTest::newRow("missing file") << "missing" << QByteArray() << unreadable << "No such file or directory";
    QTest::newRow("folder") << "folder" << QByteArray() << unreadable << "it is a folder, not a file";
    QTest::newRow("named pipe") << "fifo" << QByteArray() << unreadable << "it is a named pipe (FIFO), not a file";
    QTest::newRow("symlink to a named pipe") << "link to fifo" << QByteArray() << unreadable << "named pipe (FIFO)";
    QTest::newRow("symlink to /dev/zero")
        << "link to /dev/zero" << QByteArray() << unreadable << "it is a device, not a file";
    QTest::newRow("symlink to a regular file is read")
        << "link to file" << twoLevels << int(LevelsWarning::Kind::None) << "";
    QTest::newRow("sparse file far over the cap")
        << "sparse 64 GiB" << QByteArray() << unreadable
        << "it is too large: 64 GiB (68719476736 bytes), and at most 16 MiB is read";
    QTest::newRow("file just over the cap")
        << "16 MiB + 1" << QByteArray() << unreadable << "too large: 16.0 MiB (16777217 bytes)";
    QTest::newRow("file at the cap is read") << "16 MiB" << QByteArray() << noLevels << "lists no levels: it is empty";
    QTest::newRow("working folder deleted")
        << "gone" << QByteArray() << unreadable << "the folder Lapidor was started in no longer exists";
    QTest::newRow("more than the reader may hold")
        << "limited" << twoLevels << unreadable << "there is not enough memory to read it";
    QTest::newRow("labels without an XP value count against the limit too")
        << "limited" << QByteArray("[LEVEL=a XP\n").repeated(1000) << unreadable
        << "there is not enough memory to read it\u2069.\n\nClose other programs";
    QTest::newRow("UTF-16, big-endian") << "file" << QByteArray("\xfe\xff\0[\0L", 6) << unreadable
                                        << "it is saved as UTF-16";
    QTest::newRow("UTF-16") << "file" << QByteArray("\xff\xfe[\0L\0", 6) << unreadable
                            << "it is saved as UTF-16, which Lapidor cannot read; save it as UTF-8 or plain text";
    QTest::newRow("empty file") << "file" << QByteArray() << noLevels << "lists no levels: it is empty";
    QTest::newRow("no level that gives an XP value") << "file" << QByteArray("\r\n[LEVEL=1 XP=]\r\n") << noLevels
                                                     << "lists no levels: line 2 has no XP value closed by ']'";
    QTest::newRow("out of step") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=250\n[LEVEL=3 XP=800]")
                                 << outOfStep << "line 2 has no XP value closed by ']'";
    QTest::newRow("a line that silently drops a level")
        << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=5XP=100]\n[LEVEL=6 XP=200]\n") << outOfStep
        << "line 2 has no space before 'XP='. That line gives no level, so every level after it counts as one lower";
    QTest::newRow("file swapped for a named pipe between the look and the open")
        << "swapped for fifo" << twoLevels << unreadable << "it changed while it was being opened";
    QTest::newRow("threshold with a letter O")
        << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=400]\n[LEVEL=3 XP=24O0]\n")
        << int(LevelsWarning::Kind::UnreadableThreshold)
        << "line 3 gives the XP value \"\u2068"
           "24O0\u2069\", which is not a number. A calculation from level 3 cannot be made, "
           "and looking up levels by experience reads that value as 24.";
    QTest::newRow("threshold with a grouping separator")
        << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=1,000]") << int(LevelsWarning::Kind::UnreadableThreshold)
        << "line 2 gives the XP value \"\u2068"
           "1,000\u2069\"";
    QTest::newRow("thresholds running down")
        << "file"
        << QByteArray("[LEVEL=5 XP=4000]\n[LEVEL=4 XP=3000]\n[LEVEL=3 XP=2000]\n[LEVEL=2 XP=1000]\n[LEVEL=1 XP=0]\n")
        << int(LevelsWarning::Kind::ThresholdsOutOfOrder)
        << "line 2 gives \u2068"
           "3000\u2069 XP, no more than the \u2068"
           "4000\u2069 XP of line 1. From the current level, "
           "Lapidor uses the file as written; but from the current experience it finds the largest XP value reached, "
           "so "
           "levels come out in the wrong order.";
    QTest::newRow("repeated threshold") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=400]\n[LEVEL=3 XP=400]")
                                        << int(LevelsWarning::Kind::ThresholdsOutOfOrder)
                                        << "no more than the \u2068"
                                           "400\u2069 XP of line 2. From the current "
                                           "level, Lapidor uses the file as written; but from the current experience "
                                           "it finds the largest XP value reached, "
                                           "so level 3 can never be reached.";
    QTest::newRow("zero after the first line")
        << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=0]") << int(LevelsWarning::Kind::ThresholdsOutOfOrder)
        << "line 2 gives \u2068"
           "0\u2069 XP, no more than";
    QTest::newRow("negative after a lower one")
        << "file" << QByteArray("[LEVEL=1 XP=-10]\n[LEVEL=2 XP=-5]") << int(LevelsWarning::Kind::ThresholdsOutOfOrder)
        << "line 2 gives \u2068-5\u2069 XP, but every level after the first needs more than 0 XP. From the current "
           "level, "
           "Lapidor uses the file as written; but from the current experience it finds the largest XP value reached, "
           "so "
           "level 2 can never be reached.";
    QTest::newRow("typo is told before disorder")
        << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=0]\n[LEVEL=3 XP=x]")
        << int(LevelsWarning::Kind::UnreadableThreshold) << "line 3 gives the XP value";
    QTest::newRow("a line out of step is told before a typo")
        << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=x]\n[LEVEL=3 XP=5] XP=6]") << outOfStep
        << "line 3 has two XP values";
    QTest::newRow("note line gets no word")
        << "file" << QByteArray("# levels for season 3\n[LEVEL=1 XP=0]\n[LEVEL=2 XP=400]\n")
        << int(LevelsWarning::Kind::None) << "";
    QTest::newRow("blanks around = are said as such")
        << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL = 2 XP = 400]\n") << outOfStep
        << "line 2 has blanks around '=': write XP=\u2068"
           "400\u2069, without blanks around '='. From that line on, levels may "
           "be paired with the wrong experience.";
    QTest::newRow("blank lines are well-formed")
        << "file" << QByteArray("\n[LEVEL=1 XP=0]\n\n  \n") << int(LevelsWarning::Kind::None) << "";
}

void LevelsReaderTest::warnsAtStartUp()
{
    QFETCH(QString, setUp);
    QFETCH(QByteArray, fileText);
    QFETCH(int, kind);
    QFETCH(QString, saying);

    QTemporaryDir dir;
    const QString path = dir.filePath("levels.txt");
    const QString elsewhere = dir.filePath("elsewhere");
    std::size_t memoryLimit = unlimitedMemory;
    if (setUp == "file" || setUp == "limited" || setUp == "swapped for fifo") {
        writeFile(path, fileText.toStdString());
        if (setUp == "limited")
            memoryLimit = std::size_t(fileText.size()) + 10;
    } else if (setUp == "folder") {
        QVERIFY(QDir(dir.path()).mkdir("levels.txt"));
    } else if (setUp == "fifo" || setUp == "link to fifo") {
        QCOMPARE(mkfifo(QFile::encodeName(setUp == "fifo" ? path : elsewhere).constData(), 0600), 0);
        if (setUp == "link to fifo")
            QVERIFY(QFile::link(elsewhere, path));
    } else if (setUp == "link to /dev/zero") {
        QVERIFY(QFile::link("/dev/zero", path));
    } else if (setUp == "link to file") {
        writeFile(elsewhere, fileText.toStdString());
        QVERIFY(QFile::link(elsewhere, path));
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

    LevelsFile file;
    std::filesystem::path read(path.toStdString());
    if (setUp == "gone") {
        const QString previous = QDir::currentPath();
        QVERIFY(QDir(dir.path()).mkdir("gone") && QDir::setCurrent(dir.filePath("gone")));
        QVERIFY(QDir(dir.path()).rmdir("gone"));
        read = "levels.txt";
        file = readLevelsFile(read);
        QVERIFY(QDir::setCurrent(previous));
    } else {
        if (setUp == "swapped for fifo")
            setPathSwapHook([](const std::filesystem::path& at) {
                std::filesystem::remove(at);
                mkfifo(at.c_str(), 0600);
            });
        file = readLevelsFile(read, memoryLimit);
        setPathSwapHook({});
    }

    const auto warning = levelsWarning(file, "levels.txt");
    const auto text = QString::fromStdString(warning.text);
    QCOMPARE(int(warning.kind), kind);
    QVERIFY2(text.contains(saying), qPrintable(text));
    if (warning.kind == LevelsWarning::Kind::None)
        return;
    QVERIFY2(text.contains("\"levels.txt\""), qPrintable(text));
    if (setUp != "gone")
        QVERIFY2(text.contains("in the folder \"\u2068" + dir.path() + "\u2069\""), qPrintable(text));
    else
        QVERIFY2(!text.contains("in the folder"), qPrintable(text));
    if (warning.kind == LevelsWarning::Kind::Unreadable) {
        QVERIFY(file.table.labels.empty() && file.table.thresholds.empty());
        QVERIFY2(text.contains("start Lapidor again", Qt::CaseInsensitive), qPrintable(text));
    }
}

void LevelsReaderTest::readsLargeFilesWhole()
{
    constexpr int levels = 40000; // past the 16-bit row range
    std::string text;
    for (int i = 1; i <= levels; ++i)
        text += "[LEVEL=" + std::to_string(i) + " XP=" + std::to_string(i * 10) + "]\r\n";
    const std::string longLabel(5 << 20, 'x');
    text += "[LEVEL=" + longLabel + " XP=1]";

    QTemporaryDir dir;
    const auto path = dir.filePath("levels.txt");
    writeFile(path, text);
    const auto file = readLevelsFile(path.toStdString());

    QCOMPARE(file.table.labels.size(), std::size_t(levels + 1));
    QCOMPARE(file.table.thresholds.size(), std::size_t(levels + 1));
    QCOMPARE(bytes(file.table.label(levels - 1)), QByteArray("40000"));
    QCOMPARE(bytes(file.table.threshold(levels - 1)), QByteArray("400000"));
    QCOMPARE(file.table.label(levels).size(), longLabel.size());
}

// The loop that reads a whole file, with a stand-in for the file: it holds
// `available` bytes, of which it said it held `expected`, and fails after
// `failAfter` bytes (-1: never).
void LevelsReaderTest::readsWholeWithinTheLimit_data()
{
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("available");
    QTest::addColumn<int>("failAfter");
    QTest::addColumn<int>("read"); // bytes read; -1 when refused
    QTest::addColumn<QString>("problem");

    // clang-format off
    QTest::newRow("file as large as it looked") << 100 << 100 << -1 << 100 << "";
    QTest::newRow("file that grew up to the limit") << 10 << 1000 << -1 << 1000 << "";
    QTest::newRow("file that grew past the limit while it was read") << 10 << 5000 << -1 << -1 << "it grew past 1000 bytes while it was read";
    QTest::newRow("file that looked small and never ends") << 0 << INT_MAX << -1 << -1 << "it grew past 1000 bytes while it was read";
    QTest::newRow("file shorter than it looked") << 900 << 20 << -1 << 20 << "";
    QTest::newRow("read that fails part way") << 100 << 100 << 50 << -1 << "Input/output error";
    // clang-format on
}

void LevelsReaderTest::readsWholeWithinTheLimit()
{
    QFETCH(int, expected);
    QFETCH(int, available);
    QFETCH(int, failAfter);
    QFETCH(int, read);
    QFETCH(QString, problem);

    int given = 0;
    const auto contents = readWhole(std::uintmax_t(expected), 1000, [&](char* into, std::size_t room) -> ReadStep {
        if (failAfter >= 0 && given >= failAfter)
            return {0, "Input/output error"};
        const int count = std::min({int(room), available - given, 64});
        std::fill_n(into, count, 'x');
        given += count;
        return {std::size_t(count), {}};
    });
    QCOMPARE(QString::fromStdString(contents.problem), problem);
    QCOMPARE(read < 0 ? contents.bytes.empty() : int(contents.bytes.size()) == read, true);
    QVERIFY(given <= 1001); // never more than the limit and the one byte that shows it was passed
}

QTEST_APPLESS_MAIN(LevelsReaderTest)
#include "tst_levelsreader.moc"
