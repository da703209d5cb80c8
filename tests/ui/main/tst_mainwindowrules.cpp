// The rules of the main window that need no window: what each entry field
// keeps of a text, and the time panel's format.
#include "ui/main/ClockStatusBar.h"
#include "ui/main/EntryRules.h"

#include <QTest>

using namespace lapidor;

class MainWindowRulesTest : public QObject {
    Q_OBJECT

private slots:
    void entryRules_data();
    void entryRules();
    void timePanelShowsHoursAndMinutes_data();
    void timePanelShowsHoursAndMinutes();
};

void MainWindowRulesTest::entryRules_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("whileEditing"); // what the rule keeps after the change
    QTest::addColumn<QString>("onLeaving");    // and once the field is left

    // clang-format off
    QTest::newRow("emptied gem field waits, then shows 0") << "gem" << "" << "" << "0";
    QTest::newRow("four digits stay") << "gem" << "9999" << "9999" << "9999";
    QTest::newRow("a count above 9999 is capped") << "gem" << "10000" << "9999" << "9999";
    QTest::newRow("leading zero counts by value, dropped once left") << "gem" << "01234" << "01234" << "1234";
    QTest::newRow("010 shows as 10 once left") << "gem" << "010" << "010" << "10";
    QTest::newRow("0002 shows as 2 once left") << "gem" << "0002" << "0002" << "2";
    QTest::newRow("00000 shows as 0 once left") << "gem" << "00000" << "00000" << "0";
    QTest::newRow("a text set by the program stays") << "gem" << "a-.," << "a-.," << "a-.,";
    QTest::newRow("emptied experience waits, then shows 0") << "experience" << "" << "" << "0";
    QTest::newRow("experience at the cap stays") << "experience" << "248292513235" << "248292513235" << "248292513235";
    QTest::newRow("experience above the cap") << "experience" << "248292513236" << "248292513235" << "248292513235";
    QTest::newRow("experience with leading zero, dropped once left") << "experience" << "0248292513235" << "0248292513235" << "248292513235";
    QTest::newRow("experience with many leading zeros") << "experience" << "00000000000400" << "00000000000400" << "400";
    QTest::newRow("fraction of the cap stays") << "experience" << "248292513235.5" << "248292513235.5" << "248292513235.5";
    QTest::newRow("experience beyond a double") << "experience" << QString(400, '9') << "248292513235" << "248292513235";
    QTest::newRow("experience not a number stays") << "experience" << "12a" << "12a" << "12a";
    QTest::newRow("emptied level waits, then shows 1") << "level" << "" << "" << "1";
    QTest::newRow("level 0 waits, then becomes 1") << "level" << "0" << "0" << "1";
    QTest::newRow("level 05 waits, then shows 5") << "level" << "05" << "05" << "5";
    QTest::newRow("level 00 waits, then becomes 1") << "level" << "00" << "00" << "1";
    QTest::newRow("level 200 stays") << "level" << "200" << "200" << "200";
    QTest::newRow("level 201") << "level" << "201" << "200" << "200";
    QTest::newRow("level with leading zero, dropped once left") << "level" << "0200" << "0200" << "200";
    QTest::newRow("level beyond 16 bits") << "level" << "40200" << "200" << "200";
    QTest::newRow("level rounding to 202") << "level" << "201.5" << "200" << "200";
    QTest::newRow("level not a number stays") << "level" << "abc" << "abc" << "abc";
    // clang-format on
}

void MainWindowRulesTest::entryRules()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, whileEditing);
    QFETCH(QString, onLeaving);
    const EntryRule& rule = field == "gem" ? gemCountRule : field == "experience" ? experienceRule : levelRule;
    QCOMPARE(rule.onChange(text), whileEditing);
    QCOMPARE(rule.onLeave(rule.onChange(text)), onLeaving);
}

void MainWindowRulesTest::timePanelShowsHoursAndMinutes_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("shown");

    QTest::newRow("colon-separated seconds") << "HH:mm:ss"
                                             << "HH:mm";
    QTest::newRow("seconds before the day half") << "h:mm:ss AP"
                                                 << "h:mm AP";
    QTest::newRow("dot-separated seconds") << "H.mm.ss"
                                           << "H.mm";
    QTest::newRow("no seconds") << "h:mm AP"
                                << "h:mm AP";
}

void MainWindowRulesTest::timePanelShowsHoursAndMinutes()
{
    QFETCH(QString, format);
    QFETCH(QString, shown);
    QCOMPARE(withoutSeconds(format), shown);
}

QTEST_APPLESS_MAIN(MainWindowRulesTest)
#include "tst_mainwindowrules.moc"
