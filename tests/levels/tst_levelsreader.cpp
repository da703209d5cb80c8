#include "levels/LevelsReader.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>

using namespace lapidor;

namespace {

QByteArrayList toList(const std::vector<std::string>& items)
{
    QByteArrayList list;
    for (const auto& item : items)
        list << QByteArray(item.data(), qsizetype(item.size()));
    return list;
}

std::string_view view(const QByteArray& bytes) { return {bytes.constData(), std::size_t(bytes.size())}; }

QByteArray bytes(std::string_view text) { return QByteArray(text.data(), qsizetype(text.size())); }

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
    void missingFileGivesEmptyTableAndReason();
    void folderNamedLikeTheFileGivesReason();
    void readsLargeFilesWhole();
};

void LevelsReaderTest::readsLines_data()
{
    QTest::addColumn<QByteArray>("fileText");
    QTest::addColumn<QByteArrayList>("labels");
    QTest::addColumn<QByteArrayList>("thresholds");

    const QByteArray nul(1, '\0');

    QTest::newRow("well-formed file") << QByteArray("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=250]\r\n[LEVEL=3 XP=800]")
                                      << QByteArrayList{"1", "2", "3"} << QByteArrayList{"0", "250", "800"};
    QTest::newRow("empty file") << QByteArray() << QByteArrayList{} << QByteArrayList{};
    QTest::newRow("final line end adds no row")
        << QByteArray("[LEVEL=1 XP=0]\r\n") << QByteArrayList{"1"} << QByteArrayList{"0"};
    QTest::newRow("lone CR ends a line")
        << QByteArray("[LEVEL=1 XP=0]\r[LEVEL=2 XP=5]\r") << QByteArrayList{"1", "2"} << QByteArrayList{"0", "5"};
    QTest::newRow("LF-only file is one line")
        << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=250]\n[LEVEL=3 XP=800]\n") << QByteArrayList{"1"}
        << QByteArrayList{"0", "250", "800"};
    QTest::newRow("LF after CR LF belongs to the next line")
        << QByteArray("[LEVEL=1 XP=0]\r\n\n[LEVEL=2 XP=5]") << QByteArrayList{"1", "2"} << QByteArrayList{"0", "5"};
    QTest::newRow("two XP= groups add two thresholds")
        << QByteArray("[LEVEL=3 XP=800] XP=900]") << QByteArrayList{"3"} << QByteArrayList{"800", "900"};
    QTest::newRow("threshold without ] adds label only")
        << QByteArray("[LEVEL=2 XP=250") << QByteArrayList{"2"} << QByteArrayList{};
    QTest::newRow("XP= followed by ] adds label only")
        << QByteArray("[LEVEL=2 XP=]") << QByteArrayList{"2"} << QByteArrayList{};
    QTest::newRow("no XP= adds label only") << QByteArray("[LEVEL=5 XP 100]") << QByteArrayList{"5"} << QByteArrayList{};
    QTest::newRow("without [LEVEL= the label starts at the seventh character")
        << QByteArray("abcdefLABEL XP=5]") << QByteArrayList{"LABEL"} << QByteArrayList{"5"};
    QTest::newRow("label keeps its spaces")
        << QByteArray("[LEVEL=Grand Master XP=100]") << QByteArrayList{"Grand Master"} << QByteArrayList{"100"};
    QTest::newRow("empty label") << QByteArray("[LEVEL= XP=100]") << QByteArrayList{""} << QByteArrayList{"100"};
    QTest::newRow("threshold keeps its spaces")
        << QByteArray("[LEVEL=1 XP= 1 000 ]") << QByteArrayList{"1"} << QByteArrayList{" 1 000 "};
    QTest::newRow("text after ] is ignored")
        << QByteArray("[LEVEL=1 XP=0] the start") << QByteArrayList{"1"} << QByteArrayList{"0"};
    QTest::newRow("lower-case level marker counts as absent")
        << QByteArray("[level=1 XP=0]") << QByteArrayList{"=1"} << QByteArrayList{"0"};
    QTest::newRow("lower-case xp marker counts as absent")
        << QByteArray("[LEVEL=1 xp=0]\r\n[LEVEL=2 XP=5]") << QByteArrayList{"2"} << QByteArrayList{"5"};
    QTest::newRow("out-of-step file pairs later rows differently")
        << QByteArray("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=250\r\n[LEVEL=3 XP=800] XP=900]")
        << QByteArrayList{"1", "2", "3"} << QByteArrayList{"0", "800", "900"};
    QTest::newRow("blank line adds nothing")
        << QByteArray("[LEVEL=1 XP=0]\r\n\r\n[LEVEL=2 XP=5]") << QByteArrayList{"1", "2"} << QByteArrayList{"0", "5"};
    QTest::newRow("extra blank line at the end adds nothing")
        << QByteArray("[LEVEL=1 XP=0]\r\n\r\n") << QByteArrayList{"1"} << QByteArrayList{"0"};
    QTest::newRow("line without ' XP' drops its thresholds too")
        << QByteArray("[LEVEL=1XP=0]\r\n[LEVEL=2 XP=5]") << QByteArrayList{"2"} << QByteArrayList{"5"};
    QTest::newRow("' XP' before [LEVEL= adds nothing")
        << QByteArray(" XP [LEVEL=1 XP=0]") << QByteArrayList{} << QByteArrayList{};
    QTest::newRow("' XP' before the seventh character adds nothing")
        << QByteArray("ab XP=5]") << QByteArrayList{} << QByteArrayList{};
    QTest::newRow("8-bit and NUL bytes are kept")
        << QByteArray("[LEVEL=\xe9" + nul + "t XP=1" + nul + "]")
        << QByteArrayList{"\xe9" + nul + "t"} << QByteArrayList{"1" + nul};
}

void LevelsReaderTest::readsLines()
{
    QFETCH(QByteArray, fileText);
    QFETCH(QByteArrayList, labels);
    QFETCH(QByteArrayList, thresholds);

    const auto table = readLevels(view(fileText));
    QCOMPARE(toList(table.List1), labels);
    QCOMPARE(toList(table.List2), thresholds);
}

void LevelsReaderTest::rowsOutsideAListReadEmpty()
{
    const auto table = readLevels("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=5] XP=7]");
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
    QVERIFY2(file.error.empty(), file.error.c_str());
    QCOMPARE(toList(file.table.List1), (QByteArrayList{"1", "2"}));
    QCOMPARE(toList(file.table.List2), (QByteArrayList{"0", "250"}));
}

void LevelsReaderTest::missingFileGivesEmptyTableAndReason()
{
    QTemporaryDir dir;
    const auto file = readLevelsFile(dir.filePath("levels.txt").toStdString());
    QCOMPARE(file.table.size(), 0u);
    QVERIFY(file.table.List1.empty());
    const auto error = QString::fromStdString(file.error);
    QVERIFY2(error.contains("\"levels.txt\""), qPrintable(error));
    QVERIFY2(error.contains(dir.path()), qPrintable(error));
    QVERIFY2(error.contains("No such file"), qPrintable(error));
}

void LevelsReaderTest::folderNamedLikeTheFileGivesReason()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("levels.txt"));
    const auto file = readLevelsFile(dir.filePath("levels.txt").toStdString());
    QCOMPARE(file.table.size(), 0u);
    QVERIFY2(QString::fromStdString(file.error).contains("folder, not a file"), file.error.c_str());
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

    QCOMPARE(file.table.List1.size(), std::size_t(levels + 1));
    QCOMPARE(file.table.List2.size(), std::size_t(levels + 1));
    QCOMPARE(bytes(file.table.label(levels - 1)), QByteArray("40000"));
    QCOMPARE(bytes(file.table.threshold(levels - 1)), QByteArray("400000"));
    QCOMPARE(file.table.label(levels).size(), longLabel.size());
}

QTEST_APPLESS_MAIN(LevelsReaderTest)
#include "tst_levelsreader.moc"
