// Words the interface puts to facts, where no window is needed.
#include "ui/words/FileProblemText.h"

#include <QTest>

using namespace lapidor;

class WordsTest : public QObject {
    Q_OBJECT

private slots:
    void byteSizes_data();
    void byteSizes();
};

void WordsTest::byteSizes_data()
{
    QTest::addColumn<quint64>("bytes");
    QTest::addColumn<QString>("shown");

    // clang-format off
    QTest::newRow("nothing") << quint64(0) << "0 bytes";
    QTest::newRow("one byte") << quint64(1) << "1 byte";
    QTest::newRow("bytes below a kibibyte") << quint64(1023) << "1023 bytes";
    QTest::newRow("a kibibyte") << quint64(1024) << "1 KiB";
    QTest::newRow("a fraction of kibibytes") << quint64(1536) << "1.5 KiB";
    QTest::newRow("the levels file's limit") << quint64(16 << 20) << "16 MiB";
    QTest::newRow("a byte over it") << quint64((16 << 20) + 1) << "16.0 MiB";
    QTest::newRow("a sparse file") << quint64(64) * (1 << 30) << "64 GiB";
    QTest::newRow("a gibibyte and a half") << quint64(1536) * (1 << 20) << "1.5 GiB";
    // clang-format on
}

void WordsTest::byteSizes()
{
    QFETCH(quint64, bytes);
    QFETCH(QString, shown);
    QCOMPARE(FileProblemText::byteSize(bytes), shown);
    QCOMPARE(FileProblemText::byteSize(bytes, Language::English), shown);
}

QTEST_APPLESS_MAIN(WordsTest)
#include "tst_words.moc"
