#include "calc/Calculation.h"
#include "calc/GemCatalogue.h"
#include "levels/LevelsReader.h"
#include "ui/words/CalculationFailureText.h"
#include "ui/words/GemNames.h"

#include <QTest>

#include <numeric>

using namespace lapidor;

namespace {

const QByteArray fiveLevels = "[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=1000]\r\n[LEVEL=3 XP=3000]\r\n"
                              "[LEVEL=4 XP=6000]\r\n[LEVEL=5 XP=10000]\r\n";

LevelLookup levelsFrom(const QByteArray& fileText)
{
    return LevelLookup(readLevels(fileText.toStdString()).table);
}

// counts: "all=9999" or space-separated "field=count" pairs such as "1=1 13=2".
CalculationInput inputFor(const QString& mode, const QString& start, const QString& counts)
{
    CalculationInput input;
    if (mode == "level") {
        input.mode = StartMode::CurrentLevel;
        input.levelText = start.toStdString();
    } else if (mode == "experience") {
        input.mode = StartMode::CurrentExperience;
        input.experienceText = start.toStdString();
    }
    input.countTexts.fill("0");
    for (const auto& pair : counts.split(' ', Qt::SkipEmptyParts)) {
        const auto field = pair.section('=', 0, 0);
        const auto count = pair.section('=', 1).toStdString();
        if (field == "all")
            input.countTexts.fill(count);
        else
            input.countTexts[field.toUInt() - 1] = count;
    }
    return input;
}

// An outside text of printable ASCII as a message quotes it: as it is, with
// nothing around it that a screen reader or a copy would carry. (Any other
// text is wrapped in an isolate.)
QString quoted(const QString& text)
{
    return "\"" + text + "\"";
}

QStringList valuesInWriteOrder(const CalculationReport& report)
{
    QStringList values;
    for (const auto* value :
         {&report.newLevel, &report.totalGems, &report.totalXpFromRoughs, &report.totalXpFromFinelyCuts,
          &report.totalXp, &report.oldXp, &report.oldLevel, &report.newXp})
        values << QString::fromStdString(*value);
    return values;
}

} // namespace

class CalculationTest : public QObject {
    Q_OBJECT

private slots:
    void gemCatalogue();
    void report_data();
    void report();
    void failure_data();
    void failure();
    void levelScanPassesTheSixteenBitRange();
    void lookupFollowsTheRuleOnAnyTable_data();
    void lookupFollowsTheRuleOnAnyTable();
};

void CalculationTest::gemCatalogue()
{
    const auto xp = [](auto gems) {
        return std::accumulate(gems.begin(), gems.end(), 0, [](int sum, const GemKind& g) { return sum + g.xpPerGem; });
    };
    QCOMPARE(xp(roughGems()), 120000);
    QCOMPARE(xp(finelyCutGems()), 300000);
    for (std::size_t i = 0; i < 12; ++i) {
        const auto& rough = roughGems()[i];
        const auto& cut = finelyCutGems()[i];
        QCOMPARE(rough.state, GemState::Rough);
        QCOMPARE(cut.state, GemState::FinelyCut);
        QCOMPARE(cut.stone, rough.stone);
        QCOMPARE(cut.xpPerGem, rough.xpPerGem + 15000);
        // The interface names each gem after its place in the catalogue.
        const auto stone = QString::fromUtf8(rough.stone.data(), qsizetype(rough.stone.size()));
        QCOMPARE(gemName(i), "Rough " + stone);
        QCOMPARE(gemName(i + 12), "Finely Cut " + stone);
    }
    QCOMPARE(gemName(4), "Rough Diamond");
    QCOMPARE(lapidor::gemCatalogue[4].xpPerGem, 10000);
    QCOMPARE(gemName(7), "Rough Limestone");
    QCOMPARE(lapidor::gemCatalogue[7].xpPerGem, 15000);
    QCOMPARE(lapidor::gemCatalogue[16].xpPerGem, 25000);
    QCOMPARE(lapidor::gemCatalogue[19].xpPerGem, 30000);
}

void CalculationTest::report_data()
{
    QTest::addColumn<QByteArray>("levels");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("counts");
    QTest::addColumn<QString>("separator");
    // New level, total gems, XP from roughs, XP from finely cuts, total XP, old XP, old level, new XP.
    QTest::addColumn<QStringList>("values");

    // clang-format off
    QTest::newRow("worked example") << fiveLevels << "experience" << "2500" << "1=1 13=2" << "." << QStringList{"5", "3", "5000", "40000", "45000", "2500", "2", "47500"};
    QTest::newRow("no experience, no gems") << fiveLevels << "experience" << "0" << "" << "." << QStringList{"1", "0", "0", "0", "0", "0", "1", "0"};
    QTest::newRow("experience equal to a threshold reaches its level") << fiveLevels << "experience" << "1000" << "" << "." << QStringList{"2", "0", "0", "0", "0", "1000", "2", "1000"};
    QTest::newRow("experience just below a threshold") << fiveLevels << "experience" << "999" << "" << "." << QStringList{"1", "0", "0", "0", "0", "999", "1", "999"};
    QTest::newRow("experience just past a threshold") << fiveLevels << "experience" << "1001" << "" << "." << QStringList{"2", "0", "0", "0", "0", "1001", "2", "1001"};
    QTest::newRow("level start without gems stays at that level") << fiveLevels << "level" << "3" << "" << "." << QStringList{"3", "0", "0", "0", "0", "3000", "3", "3000"};
    QTest::newRow("level start plus a rough diamond") << fiveLevels << "level" << "3" << "5=1" << "." << QStringList{"5", "1", "10000", "0", "10000", "3000", "3", "13000"};
    QTest::newRow("level text keeps its leading zero") << fiveLevels << "level" << "03" << "" << "." << QStringList{"3", "0", "0", "0", "0", "3000", "03", "3000"};
    QTest::newRow("experience text keeps its leading zeros") << fiveLevels << "experience" << "0050" << "" << "." << QStringList{"1", "0", "0", "0", "0", "0050", "1", "50"};
    QTest::newRow("every count at 9999 with the largest experience") << fiveLevels << "experience" << "248292513235" << "all=9999" << "." << QStringList{"5", "239976", "1199880000", "2999700000", "4199580000", "248292513235", "5", "252492093235"};
    QTest::newRow("each gem counted in its own half") << fiveLevels << "experience" << "0" << "12=1 24=1" << "." << QStringList{"5", "2", "10000", "25000", "35000", "0", "1", "35000"};
    QTest::newRow("unsorted thresholds") << QByteArray( "[LEVEL=a XP=0]\r\n[LEVEL=b XP=6000]\r\n[LEVEL=c XP=1000]\r\n[LEVEL=d XP=3000]") << "experience" << "4000" << "" << "." << QStringList{"d", "0", "0", "0", "0", "4000", "d", "4000"};
    QTest::newRow("equal thresholds: the first wins") << QByteArray("[LEVEL=a XP=0]\r\n[LEVEL=b XP=1000]\r\n[LEVEL=c XP=1000]\r\n[LEVEL=d XP=3000]") << "experience" << "1500" << "" << "." << QStringList{"b", "0", "0", "0", "0", "1500", "b", "1500"};
    QTest::newRow("empty table") << QByteArray() << "experience" << "500" << "" << "." << QStringList{"", "0", "0", "0", "0", "500", "", "500"};
    QTest::newRow("fewer labels than thresholds") << QByteArray("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=100] XP=200]") << "experience" << "250" << "" << "." << QStringList{"", "0", "0", "0", "0", "250", "", "250"};
    QTest::newRow("neither mode") << fiveLevels << "none" << "" << "1=1" << "." << QStringList{"3", "1", "5000", "0", "5000", "", "", "5000"};
    QTest::newRow("fractional threshold uses the decimal separator") << QByteArray("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=100.5]") << "level" << "2" << "" << "," << QStringList{"2", "0", "0", "0", "0", "100.5", "2", "100,5"};
    QTest::newRow("threshold read up to its first non-digit by the scan") << QByteArray("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=100 XP]") << "experience" << "150" << "" << "." << QStringList{"2", "0", "0", "0", "0", "150", "2", "150"};
    QTest::newRow("Latin-1 labels come out as UTF-8") << QByteArray("[LEVEL=Neuf\xe9 XP=0]") << "experience" << "5" << "" << "." << QStringList{QString::fromUtf8("Neuf\u00e9"), "0", "0", "0", "0", "5", QString::fromUtf8("Neuf\u00e9"), "5"};
    QTest::newRow("unreadable threshold: the table is not searched as sorted") << QByteArray("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=5000x]\r\n[LEVEL=3 XP=1000]\r\n[LEVEL=4 XP=3000]") << "experience" << "6000" << "" << "." << QStringList{"2", "0", "0", "0", "0", "6000", "2", "6000"};
    QTest::newRow("fractional count rounds half to even") << fiveLevels << "level" << "1" << "1=2.5 2=3.5" << "." << QStringList{"5", "6", "30000", "0", "30000", "0", "1", "30000"};
    // clang-format on
}

void CalculationTest::report()
{
    QFETCH(QByteArray, levels);
    QFETCH(QString, mode);
    QFETCH(QString, start);
    QFETCH(QString, counts);
    QFETCH(QString, separator);
    QFETCH(QStringList, values);

    auto input = inputFor(mode, start, counts);
    input.decimalSeparator = separator.toStdString();
    const auto result = calculateReport(levelsFrom(levels), input);
    QVERIFY2(result.report, qPrintable(result.failure ? CalculationFailureText::describe(*result.failure) : QString()));
    QVERIFY(!result.failure);
    QCOMPARE(valuesInWriteOrder(*result.report), values);
}

void CalculationTest::failure_data()
{
    QTest::addColumn<QByteArray>("levels");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("counts");
    QTest::addColumn<QString>("message");

    // clang-format off
    QTest::newRow("level beyond the table") << fiveLevels << "level" << "7" << "" << "Level 7 is not in levels.txt, which lists 5 levels.";
    QTest::newRow("level 00") << fiveLevels << "level" << "00" << "" << "Level 0 is not in levels.txt: levels start at 1.";
    QTest::newRow("level beyond 16 bits") << fiveLevels << "level" << "40200" << "" << "Level 40200 is not in levels.txt, which lists 5 levels.";
    QTest::newRow("level with an empty table") << QByteArray() << "level" << "1" << "" << "Level 1 is not in levels.txt, which lists no levels.";
    QTest::newRow("level with a one-level table") << QByteArray("[LEVEL=1 XP=0]") << "level" << "2" << "" << "Level 2 is not in levels.txt, which lists 1 level.";
    QTest::newRow("level not a number") << fiveLevels << "level" << "-" << "" << "The current level is not a number Lapidor can use: " + quoted("-") + ".";
    QTest::newRow("level far below 1") << fiveLevels << "level" << "-40000" << "" << "Level -40000 is not in levels.txt: levels start at 1.";
    QTest::newRow("threshold followed by letters") << QByteArray("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=800x]") << "level" << "2" << "" << "The experience of level 2 in levels.txt is not a number: " + quoted("800x") + ".";
    QTest::newRow("threshold with an 8-bit character") << QByteArray("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=800\xe9]") << "level" << "2" << "" << "The experience of level 2 in levels.txt is not a number: \"" + QString::fromUtf8("\u2068" "800\u00e9\u2069") + "\".";
    QTest::newRow("threshold of blanks") << QByteArray("[LEVEL=1 XP= ]") << "level" << "1" << "" << "The experience of level 1 in levels.txt is not a number: " + quoted(" ") + ".";
    QTest::newRow("threshold below a double") << QByteArray("[LEVEL=1 XP=-1e400]") << "level" << "1" << "" << "The experience of level 1 in levels.txt is too small: " + quoted("-1e400") + ".";
    QTest::newRow("threshold beyond a double") << QByteArray("[LEVEL=1 XP=1e400]") << "level" << "1" << "" << "The experience of level 1 in levels.txt is too large: " + quoted("1e400") + ".";
    QTest::newRow("experience not a number") << fiveLevels << "experience" << "12a" << "" << "The current experience is not a number Lapidor can use: " + quoted("12a") + ".";
    QTest::newRow("experience empty") << fiveLevels << "experience" << "" << "" << "The current experience is not a number Lapidor can use: " + quoted("") + ".";
    QTest::newRow("experience beyond a double") << fiveLevels << "experience" << QString(400, '9') << "" << "The current experience is not a number Lapidor can use: " + quoted(QString(40, '9') + "...") + ".";
    QTest::newRow("experience below a double") << fiveLevels << "experience" << "-1e400" << "" << "The current experience is not a number Lapidor can use: " + quoted("-1e400") + ".";
    QTest::newRow("count not a number") << fiveLevels << "level" << "1" << "3=ab" << "The count of Rough Aquamarine is not a number Lapidor can use: " + quoted("ab") + ".";
    QTest::newRow("count beyond 16 bits") << fiveLevels << "level" << "1" << "24=1e10" << "The count of Finely Cut Sapphire is not a number Lapidor can use: " + quoted("1e10") + ".";
    QTest::newRow("count below 16 bits") << fiveLevels << "experience" << "0" << "13=-1e9" << "The count of Finely Cut Agate is not a number Lapidor can use: " + quoted("-1e9") + ".";
    // clang-format on
}

void CalculationTest::failure()
{
    QFETCH(QByteArray, levels);
    QFETCH(QString, mode);
    QFETCH(QString, start);
    QFETCH(QString, counts);
    QFETCH(QString, message);

    const auto result = calculateReport(levelsFrom(levels), inputFor(mode, start, counts));
    QVERIFY(!result.report);
    QVERIFY(result.failure);
    QCOMPARE(CalculationFailureText::describe(*result.failure), message);
}

void CalculationTest::levelScanPassesTheSixteenBitRange()
{
    std::string text;
    for (int i = 0; i < 40000; ++i)
        text += "[LEVEL=" + std::to_string(i + 1) + " XP=" + std::to_string(i * 10) + "]\n";
    const LevelLookup levels(readLevels(text).table);
    QCOMPARE(levels.findLevelIndex(399995.0), 39999);
    QCOMPARE(levels.findLevelIndex(327685.0), 32768);
    QCOMPARE(levels.findLevelIndex(0.0), 0);
}

// The level lookup against the rule itself, read off the table row by row:
// the first row of the largest threshold above 0 that the experience has
// reached, or row 0.
void CalculationTest::lookupFollowsTheRuleOnAnyTable_data()
{
    QTest::addColumn<QList<double>>("thresholds");

    // clang-format off
    QTest::newRow("sorted") << QList<double>{0, 1000, 3000, 6000, 10000};
    QTest::newRow("descending") << QList<double>{5000, 4000, 3000, 2000, 1000};
    QTest::newRow("zeros after the first row") << QList<double>{0, 0, 500, 0, 800};
    QTest::newRow("negative thresholds") << QList<double>{-100, 200, -5, 300, -1000};
    QTest::newRow("repeated thresholds, unsorted") << QList<double>{700, 200, 700, 200, 0, 700, 50};
    QTest::newRow("fractions and repeats") << QList<double>{0.5, 0.25, 0.5, 1e15, 1e15 + 2, 0.25};
    QTest::newRow("only zeros and negatives") << QList<double>{0, -1, 0, -2};
    QTest::newRow("empty table") << QList<double>{};
    // clang-format on
}

void CalculationTest::lookupFollowsTheRuleOnAnyTable()
{
    QFETCH(QList<double>, thresholds);
    std::string text;
    for (const double threshold : thresholds)
        text += "[LEVEL=x XP=" + QByteArray::number(threshold, 'g', 17).toStdString() + "]\n";
    const LevelLookup levels(readLevels(text).table);

    QList<double> experiences{-1e300, -1, 0, 1e300};
    for (const double threshold : thresholds)
        experiences << threshold << threshold - 0.125 << threshold + 0.125;
    for (const double x : experiences) {
        qsizetype expected = 0;
        double best = 0;
        for (qsizetype row = 0; row < thresholds.size(); ++row)
            if (thresholds[row] > best && thresholds[row] <= x) {
                best = thresholds[row];
                expected = row;
            }
        QVERIFY2(levels.findLevelIndex(x) == expected, qPrintable(QString("experience %1").arg(x, 0, 'g', 17)));
    }
}

QTEST_APPLESS_MAIN(CalculationTest)
#include "tst_calculation.moc"
