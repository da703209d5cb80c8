// The window's placement as the settings hold it, in twips.
#include "app/ClosingStep.h"

#include <QTest>

using namespace lapidor;

class PlacementTextTest : public QObject {
    Q_OBJECT

private slots:
    void twips_data();
    void twips();
};

void PlacementTextTest::twips_data()
{
    QTest::addColumn<int>("pixels");
    QTest::addColumn<QString>("twips");

    // clang-format off
    QTest::newRow("on the screen") << 40 << "600";
    QTest::newRow("zero") << 0 << "0";
    QTest::newRow("partly off the screen") << -50 << "-750";
    QTest::newRow("seven digits, exact") << 666666 << "9999990";
    QTest::newRow("beyond seven digits, rounded to seven") << 1234567 << "1.85185e+07";
    QTest::newRow("past an int of twips") << 200'000'000 << "3e+09";
    QTest::newRow("far to the left") << -200'000'000 << "-3e+09";
    // clang-format on
}

void PlacementTextTest::twips()
{
    QFETCH(int, pixels);
    QFETCH(QString, twips);
    QCOMPARE(twipsText(pixels), twips);
}

QTEST_APPLESS_MAIN(PlacementTextTest)
#include "tst_placementtext.moc"
