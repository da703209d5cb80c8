#include "files/PathSwapHook.h"
#include "files/ReadWhole.h"
#include "levels/LevelsReader.h"
#include "ui/words/FileProblemText.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <climits>
#include <fstream>
#include <sys/stat.h>

using namespace lapidor;

namespace {

QByteArray bytes(std::string_view text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

QByteArrayList labelsOf(const LevelTable& table)
{
    QByteArrayList list;
    for (std::size_t row = 0; row < table.labelCount(); ++row)
        list << bytes(table.label(std::ptrdiff_t(row)));
    return list;
}

QByteArrayList thresholdsOf(const LevelTable& table)
{
    QByteArrayList list;
    for (std::size_t row = 0; row < table.thresholdCount(); ++row)
        list << bytes(table.threshold(std::ptrdiff_t(row)));
    return list;
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

    // clang-format off
    QTest::newRow("well-formed file") << QByteArray("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=250]\r\n[LEVEL=3 XP=800]") << QByteArrayList{"1", "2", "3"} << QByteArrayList{"0", "250", "800"} << QString();
    QTest::newRow("empty file") << QByteArray() << QByteArrayList{} << QByteArrayList{} << QString();
    QTest::newRow("final line end adds no row") << QByteArray("[LEVEL=1 XP=0]\r\n") << QByteArrayList{"1"} << QByteArrayList{"0"} << QString();
    QTest::newRow("lone CR ends a line") << QByteArray("[LEVEL=1 XP=0]\r[LEVEL=2 XP=5]\r") << QByteArrayList{"1", "2"} << QByteArrayList{"0", "5"} << QString();
    QTest::newRow("LF ends a line, as on Linux") << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=250]\n[LEVEL=3 XP=800]\n") << QByteArrayList{"1", "2", "3"} << QByteArrayList{"0", "250", "800"} << QString();
    QTest::newRow("LF after CR LF is a blank line") << QByteArray("[LEVEL=1 XP=0]\r\n\n[LEVEL=2 XP=5]") << QByteArrayList{"1", "2"} << QByteArrayList{"0", "5"} << QString();
    QTest::newRow("two XP= groups add two thresholds") << QByteArray("[LEVEL=3 XP=800] XP=900]") << QByteArrayList{"3"} << QByteArrayList{"800", "900"} << QString("line 1 has two XP values");
    QTest::newRow("threshold without ] adds label only") << QByteArray("[LEVEL=2 XP=250") << QByteArrayList{"2"} << QByteArrayList{} << QString("line 1 has no XP value closed by ']'");
    QTest::newRow("XP= followed by ] adds label only") << QByteArray("[LEVEL=2 XP=]") << QByteArrayList{"2"} << QByteArrayList{} << QString("line 1 has no XP value closed by ']'");
    QTest::newRow("no XP= adds label only") << QByteArray("[LEVEL=5 XP 100]") << QByteArrayList{"5"} << QByteArrayList{} << QString("line 1 has no XP value closed by ']'");
    QTest::newRow("without [LEVEL= the label starts at the seventh character") << QByteArray("abcdefLABEL XP=5]") << QByteArrayList{"LABEL"} << QByteArrayList{"5"} << QString();
    QTest::newRow("label keeps its spaces") << QByteArray("[LEVEL=Grand Master XP=100]") << QByteArrayList{"Grand Master"} << QByteArrayList{"100"} << QString();
    QTest::newRow("empty label") << QByteArray("[LEVEL= XP=100]") << QByteArrayList{""} << QByteArrayList{"100"} << QString();
    QTest::newRow("threshold keeps its spaces") << QByteArray("[LEVEL=1 XP= 1 000 ]") << QByteArrayList{"1"} << QByteArrayList{" 1 000 "} << QString();
    QTest::newRow("text after ] is ignored") << QByteArray("[LEVEL=1 XP=0] the start") << QByteArrayList{"1"} << QByteArrayList{"0"} << QString();
    QTest::newRow("lower-case level marker counts as absent") << QByteArray("[level=1 XP=0]") << QByteArrayList{"=1"} << QByteArrayList{"0"} << QString();
    QTest::newRow("lower-case xp marker counts as absent") << QByteArray("[LEVEL=1 xp=0]\r\n[LEVEL=2 XP=5]") << QByteArrayList{"2"} << QByteArrayList{"5"} << QString("line 1 has 'xp=' in lower case: write LEVEL and XP in capitals");
    QTest::newRow("out-of-step file pairs later rows differently") << QByteArray("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=250\r\n[LEVEL=3 XP=800] XP=900]") << QByteArrayList{"1", "2", "3"} << QByteArrayList{"0", "800", "900"} << QString("line 2 has no XP value closed by ']'");
    QTest::newRow("blank line adds nothing") << QByteArray("[LEVEL=1 XP=0]\r\n\r\n[LEVEL=2 XP=5]") << QByteArrayList{"1", "2"} << QByteArrayList{"0", "5"} << QString();
    QTest::newRow("extra blank line at the end adds nothing") << QByteArray("[LEVEL=1 XP=0]\r\n\r\n") << QByteArrayList{"1"} << QByteArrayList{"0"} << QString();
    QTest::newRow("line without ' XP' drops its thresholds too") << QByteArray("[LEVEL=1XP=0]\r\n[LEVEL=2 XP=5]") << QByteArrayList{"2"} << QByteArrayList{"5"} << QString("line 1 has no space before 'XP='");
    QTest::newRow("' XP' before [LEVEL= adds nothing") << QByteArray(" XP [LEVEL=1 XP=0]") << QByteArrayList{} << QByteArrayList{} << QString("line 1 has ' XP' before '[LEVEL='");
    QTest::newRow("' XP' before the seventh character adds nothing") << QByteArray("ab XP=5]") << QByteArrayList{} << QByteArrayList{} << QString("line 1 has no '[LEVEL='");
    QTest::newRow("8-bit and NUL bytes are kept") << QByteArray("[LEVEL=\xe9" + nul + "t XP=1" + nul + "]") << QByteArrayList{"\xe9" + nul + "t"} << QByteArrayList{"1" + nul} << QString();
    QTest::newRow("mixed line ends") << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=5]\r[LEVEL=3 XP=9]\r\n") << QByteArrayList{"1", "2", "3"} << QByteArrayList{"0", "5", "9"} << QString();
    QTest::newRow("line numbers count LF line ends") << QByteArray("[LEVEL=1 XP=0]\n\n[LEVEL=3 XP=9] XP=10]") << QByteArrayList{"1", "3"} << QByteArrayList{"0", "9", "10"} << QString("line 3 has two XP values");
    QTest::newRow("three XP values") << QByteArray("[LEVEL=1 XP=0] XP=1] XP=2]") << QByteArrayList{"1"} << QByteArrayList{"0", "1", "2"} << QString("line 1 has 3 XP values");
    QTest::newRow("XP= inside the label before ' XP'") << QByteArray("[LEVEL=1XP=5XP=6 XP=7]") << QByteArrayList{"1XP=5XP=6"} << QByteArrayList{"7"} << QString();
    QTest::newRow("line of blanks is well-formed") << QByteArray("[LEVEL=1 XP=0]\r\n \t \r\n[LEVEL=2 XP=5]") << QByteArrayList{"1", "2"} << QByteArrayList{"0", "5"} << QString();
    QTest::newRow("note line is like a blank line") << QByteArray("# levels for season 3\r\n[LEVEL=1 XP=0]") << QByteArrayList{"1"} << QByteArrayList{"0"} << QString();
    QTest::newRow("title in capitals is like a blank line") << QByteArray("EXPERIENCE LEVELS\n[LEVEL=1 XP=0]") << QByteArrayList{"1"} << QByteArrayList{"0"} << QString();
    QTest::newRow("line that mentions a level and gives none") << QByteArray("Level 1 starts at 0\n[LEVEL=2 XP=5]") << QByteArrayList{"2"} << QByteArrayList{"5"} << QString();
    QTest::newRow("line with LEVEL= that gives none") << QByteArray("# LEVEL=1 is where you start\n[LEVEL=1 XP=0]") << QByteArrayList{"1"} << QByteArrayList{"0"} << QString("line 1 has no XP value");
    QTest::newRow("marker in mixed case with blanks before =") << QByteArray("[LEVEL=1 Xp =0]") << QByteArrayList{} << QByteArrayList{} << QString("line 1 has 'Xp=' in lower case: write LEVEL and XP in capitals");
    QTest::newRow("tab before XP=") << QByteArray("[LEVEL=1\tXP=0]") << QByteArrayList{} << QByteArrayList{} << QString("line 1 has a tab before 'XP=', where a space belongs");
    QTest::newRow("blanks around = are named") << QByteArray("[LEVEL=1 XP=0]\n[LEVEL = 2 XP = 400]") << QByteArrayList{"1", " = 2"} << QByteArrayList{"0"} << QString("line 2 has blanks around '=': write XP=400, without blanks around '='");
    QTest::newRow("blank after XP= in a line without ']'") << QByteArray("[LEVEL=2 XP= 400") << QByteArrayList{"2"} << QByteArrayList{} << QString("line 1 has blanks around '=': write XP=400, without blanks around '='");
    QTest::newRow("UTF-8 byte-order mark is skipped") << QByteArray("\xEF\xBB\xBF" "abcdefL XP=5]") << QByteArrayList{"L"} << QByteArrayList{"5"} << QString();
    // clang-format on
}

void LevelsReaderTest::readsLines()
{
    QFETCH(QByteArray, fileText);
    QFETCH(QByteArrayList, labels);
    QFETCH(QByteArrayList, thresholds);
    QFETCH(QString, firstIrregularLine);

    const auto file = readLevels(fileText.toStdString());
    QCOMPARE(labelsOf(file.table), labels);
    QCOMPARE(thresholdsOf(file.table), thresholds);
    const auto& irregular = file.firstIrregularLine;
    QCOMPARE(irregular ? FileProblemText::irregularLine(*irregular) : QString(), firstIrregularLine);
}

void LevelsReaderTest::rowsOutsideAListReadEmpty()
{
    const auto table = readLevels("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=5] XP=7]").table;
    QCOMPARE(table.thresholdCount(), 3u);
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
    QCOMPARE(file.failure, LevelsFile::Failure::None);
    QCOMPARE(labelsOf(file.table), (QByteArrayList{"1", "2"}));
    QCOMPARE(thresholdsOf(file.table), (QByteArrayList{"0", "250"}));
}

void LevelsReaderTest::decodesAsUtf8OrLatin1_data()
{
    QTest::addColumn<QByteArray>("fileText");
    QTest::addColumn<QString>("firstLabel");

    // clang-format off
    QTest::newRow("ASCII") << QByteArray("[LEVEL=Rank 1 XP=0]") << "Rank 1";
    QTest::newRow("valid UTF-8 reads as UTF-8") << QByteArray("[LEVEL=Niveau \xc3\xa9lev\xc3\xa9 XP=0]") << QString::fromUtf8("Niveau \u00e9lev\u00e9");
    QTest::newRow("8-bit text reads as Latin-1") << QByteArray("[LEVEL=Niveau \xe9lev\xe9 XP=0]") << QString::fromUtf8("Niveau \u00e9lev\u00e9");
    QTest::newRow("one byte that is not UTF-8 makes the whole file Latin-1") << QByteArray("[LEVEL=\xc3\xa9 XP=0]\r\n[LEVEL=\xe9 XP=1]") << QString::fromUtf8("\u00c3\u00a9");
    QTest::newRow("overlong form is not UTF-8") << QByteArray("[LEVEL=\xc0\xaf XP=0]") << QString::fromUtf8("\u00c0\u00af");
    QTest::newRow("stray continuation byte is not UTF-8") << QByteArray("[LEVEL=a\x80 XP=0]") << QString::fromUtf8("a\u0080");
    QTest::newRow("two-byte form cut short is not UTF-8") << QByteArray("[LEVEL=\xc3 XP=0]") << QString::fromUtf8("\u00c3");
    QTest::newRow("three-byte form cut short is not UTF-8") << QByteArray("[LEVEL=\xe2\x82 XP=0]") << QString::fromUtf8("\u00e2\u0082");
    QTest::newRow("four-byte form cut short is not UTF-8") << QByteArray("[LEVEL=\xf0\x9f\x92 XP=0]") << QString::fromUtf8("\u00f0\u009f\u0092");
    QTest::newRow("C1 lead byte is an overlong form") << QByteArray("[LEVEL=\xc1\xbf XP=0]") << QString::fromUtf8("\u00c1\u00bf");
    QTest::newRow("overlong three-byte form is not UTF-8") << QByteArray("[LEVEL=\xe0\x80\xaf XP=0]") << QString::fromUtf8("\u00e0\u0080\u00af");
    QTest::newRow("overlong four-byte form is not UTF-8") << QByteArray("[LEVEL=\xf0\x80\x80\xaf XP=0]") << QString::fromUtf8("\u00f0\u0080\u0080\u00af");
    QTest::newRow("surrogate is not UTF-8") << QByteArray("[LEVEL=\xed\xa0\x80 XP=0]") << QString::fromUtf8("\u00ed\u00a0\u0080");
    QTest::newRow("beyond U+10FFFF is not UTF-8") << QByteArray("[LEVEL=\xf4\x90\x80\x80 XP=0]") << QString::fromUtf8("\u00f4\u0090\u0080\u0080");
    QTest::newRow("lead byte F5 is not UTF-8") << QByteArray("[LEVEL=\xf5\x80\x80\x80 XP=0]") << QString::fromUtf8("\u00f5\u0080\u0080\u0080");
    QTest::newRow("last character before the surrogates is UTF-8") << QByteArray("[LEVEL=\xed\x9f\xbf XP=0]") << QString::fromUtf8("\ud7ff");
    QTest::newRow("U+10FFFF is UTF-8") << QByteArray("[LEVEL=\xf4\x8f\xbf\xbf XP=0]") << QString::fromUtf8("\U0010ffff");
    QTest::newRow("UTF-8 byte-order mark is not part of the text") << QByteArray("\xef\xbb\xbf[LEVEL=\xe2\x82\xac XP=0]") << QString::fromUtf8("\u20ac");
    // clang-format on
}

void LevelsReaderTest::decodesAsUtf8OrLatin1()
{
    QFETCH(QByteArray, fileText);
    QFETCH(QString, firstLabel);
    const auto table = readLevels(fileText.toStdString()).table;
    QCOMPARE(QString::fromStdString(toUtf8(table.label(0), table.encoding())), firstLabel);
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

    QCOMPARE(file.table.labelCount(), std::size_t(levels + 1));
    QCOMPARE(file.table.thresholdCount(), std::size_t(levels + 1));
    QCOMPARE(bytes(file.table.label(levels - 1)), QByteArray("40000"));
    QCOMPARE(bytes(file.table.threshold(levels - 1)), QByteArray("400000"));
    QCOMPARE(file.table.label(levels).size(), longLabel.size());
}

// The loop that reads a file, with a stand-in for the file: the open finds
// it `opened` bytes long; it holds `available` bytes and fails after
// `failAfter` bytes (-1: never). The receiver, which makes room for the
// size it is told, is never told more than the limit.
void LevelsReaderTest::readsWholeWithinTheLimit_data()
{
    QTest::addColumn<int>("opened");
    QTest::addColumn<int>("available");
    QTest::addColumn<int>("failAfter");
    QTest::addColumn<int>("read"); // bytes read; -1 when refused
    QTest::addColumn<QString>("problem");

    // clang-format off
    QTest::newRow("file as large as it looked") << 100 << 100 << -1 << 100 << "";
    QTest::newRow("file that grew up to the limit") << 100 << 1000 << -1 << 1000 << "";
    QTest::newRow("file that grew past the limit while it was read") << 100 << 5000 << -1 << -1 << "it grew past 1000 bytes while it was read";
    QTest::newRow("file that grew past the limit by the open") << 5000 << 5000 << -1 << -1 << "it grew past 1000 bytes while it was read";
    QTest::newRow("file that looked small and never ends") << 100 << INT_MAX << -1 << -1 << "it grew past 1000 bytes while it was read";
    QTest::newRow("file shorter than it looked") << 100 << 20 << -1 << 20 << "";
    QTest::newRow("read that fails part way") << 100 << 100 << 50 << -1 << "Input/output error";
    // clang-format on
}

void LevelsReaderTest::readsWholeWithinTheLimit()
{
    QFETCH(int, opened);
    QFETCH(int, available);
    QFETCH(int, failAfter);
    QFETCH(int, read);
    QFETCH(QString, problem);

    class Whole : public ChunkReceiver {
    public:
        void starting(std::uintmax_t size) override { toldSize = size; }
        void take(std::string_view chunk) override { bytes.append(chunk); }
        std::uintmax_t toldSize = 0;
        std::string bytes;
    } whole;
    int given = 0;
    const auto readProblem = readChunks(
        std::uintmax_t(opened), 1000,
        [&](char* into, std::size_t room) -> ReadStep {
            if (failAfter >= 0 && given >= failAfter)
                return {0, {FileProblem::Kind::System, FileKind::Regular, 0, 0, 5, "Input/output error"}};
            const int count = std::min({int(room), available - given, 64});
            std::fill_n(into, count, 'x');
            given += count;
            return {std::size_t(count), {}};
        },
        whole);
    QCOMPARE(FileProblemText::problem(readProblem, Language::English), problem);
    if (read >= 0)
        QCOMPARE(int(whole.bytes.size()), read);
    QVERIFY(given <= 1001); // never more than the limit and the one byte that shows it was passed
    QVERIFY(whole.toldSize <= 1000);
}

QTEST_APPLESS_MAIN(LevelsReaderTest)
#include "tst_levelsreader.moc"
