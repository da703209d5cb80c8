// Lapidor keeps running, keeps its fields and captions valid, and says in
// plain words what is wrong, whatever file or text it is given.
#include "app/LevelsLoading.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace lapidor;

namespace {

const QByteArray fiveLevels = "[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=1000]\r\n[LEVEL=3 XP=3000]\r\n"
                              "[LEVEL=4 XP=6000]\r\n[LEVEL=5 XP=10000]\r\n";

// A text from the levels file or a field that is not all printable ASCII,
// as the window shows it among its own words: in one isolate, so that it
// cannot turn those words around.
QString isolated(const QString& text)
{
    return "\u2068" + text + "\u2069";
}

QByteArray levelsFile(const QString& kind)
{
    if (kind == "100 MB") {
        const QByteArray label(100 * 1024, 'L');
        QByteArray text;
        text.reserve(101 << 20);
        for (int level = 0; level < 1024; ++level)
            text += "[LEVEL=" + label + " XP=" + QByteArray::number(level * 1000) + "]\r\n";
        return text;
    }
    if (kind == "one line of 10 MB")
        return "[LEVEL=" + QByteArray(10 << 20, 'x') + " XP=0]";
    if (kind == "NUL bytes and binary") {
        QByteArray bytes(1 << 20, '\0');
        QRandomGenerator random(7);
        for (auto& byte : bytes)
            byte = char(random.bounded(256));
        return "[LEVEL=1 XP=0]\r\n" + QByteArray(100, '\0') + "\r\n" + bytes;
    }
    return fiveLevels;
}

} // namespace

class HostileInputsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void levelsFiles_data();
    void levelsFiles();
    void unusualThresholds_data();
    void unusualThresholds();
    void pastedTexts_data();
    void pastedTexts();
    void outsideTextShowsAsText_data();
    void outsideTextShowsAsText();

private:
    void open(const QByteArray& levels);
    template <typename T = QWidget>
    T* find(const char* name) const
    {
        return window_->findChild<T*>(QString::fromLatin1(name));
    }
    QString calculate(); // the warning shown, or nothing when the report was written
    QStringList captions() const;

    QTemporaryDir dir_;
    std::unique_ptr<MainWindow> window_;
};

void HostileInputsTest::cleanup()
{
    window_.reset();
    QDir(dir_.path()).removeRecursively();
    QDir().mkpath(dir_.path());
}

void HostileInputsTest::open(const QByteArray& levels)
{
    QFile file(dir_.filePath("levels.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(levels), levels.size());
    file.close();
    window_ = std::make_unique<MainWindow>();
    {
        auto loaded = loadLevels(file.fileName());
        window_->setLevels(std::move(loaded.levels), loaded.warningText);
    }
    window_->show();
}

QString HostileInputsTest::calculate()
{
    QTest::mouseClick(find("Calculate"), Qt::LeftButton);
    auto* warning = window_->findChild<QMessageBox*>();
    if (!warning)
        return {};
    const QString text = warning->text();
    delete warning;
    return text;
}

QStringList HostileInputsTest::captions() const
{
    QStringList texts;
    for (const char* label : {"Label33", "Label25", "Label27", "Label26", "Label24", "Label29", "Label32", "Label31"})
        texts << find<QLabel>(label)->text();
    return texts;
}

void HostileInputsTest::levelsFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("labels");      // -1: any number
    QTest::addColumn<QString>("warning"); // what the one start-up warning says; "-": no warning, "": any

    // Files larger than 16 MiB are no longer read at all, so 100 MB is refused.
    // clang-format off
    QTest::newRow("100 MB is refused as too large") << "100 MB" << 0 << "it is too large: 100.0 MiB";
    QTest::newRow("one line of 10 MB") << "one line of 10 MB" << 1 << "-";
    // Lines that hold neither LEVEL= nor XP= in any case are passed over, as notes are.
    QTest::newRow("NUL bytes and binary") << "NUL bytes and binary" << 1 << "-";
    // clang-format on
}

void HostileInputsTest::levelsFiles()
{
    QFETCH(QString, kind);
    QFETCH(int, labels);
    QFETCH(QString, warning);

    open(levelsFile(kind));

    // At most one warning, once the window stands on the screen.
    if (warning == "-") {
        QTest::qWait(20);
        QVERIFY(!window_->findChild<QMessageBox*>());
    } else {
        QTRY_VERIFY(window_->findChild<QMessageBox*>());
        QCOMPARE(window_->findChildren<QMessageBox*>().size(), 1);
        const QString text = window_->findChild<QMessageBox*>()->text();
        QVERIFY2(text.contains(warning), qPrintable(text));
        delete window_->findChild<QMessageBox*>();
    }

    const auto* list = find<QListView>("List1")->model();
    QTRY_COMPARE(qsizetype(list->rowCount()), qsizetype(window_->levelTable().labelCount()));
    if (labels >= 0)
        QCOMPARE(list->rowCount(), labels);
    for (int row = 0; row < list->rowCount(); ++row) // a label of megabytes is shown cut short
        QVERIFY(list->index(row, 0).data().toString().size() <= 1001);

    // Level 1 is in every file that has a first row; otherwise the user is told.
    const QString failure = calculate();
    QVERIFY(window_->isVisible());
    if (failure.isEmpty())
        QVERIFY(!captions().contains("Total Gems: N/A"));
    else
        QCOMPARE(failure,
                 kind == "100 MB" ? "Level 1 cannot be looked up: levels.txt could not be read."
                                  : "Level 1 is not in levels.txt, which lists no levels.");
}

void HostileInputsTest::unusualThresholds_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("warning"); // empty when the report is written
    QTest::addColumn<QString>("oldXp");

    // clang-format off
    QTest::newRow("beyond a double") << "2" << "The experience of level 2 in levels.txt is too large: \"1e400\"." << "";
    QTest::newRow("negative") << "3" << "" << "Old XP: -5";
    QTest::newRow("nan") << "4" << "The experience of level 4 in levels.txt is not a number: \"nan\"." << "";
    QTest::newRow("inf") << "5" << "The experience of level 5 in levels.txt is not a number: \"inf\"." << "";
    QTest::newRow("hexadecimal") << "6" << "The experience of level 6 in levels.txt is not a number: \"0x10\"." << "";
    QTest::newRow("grouping separator") << "7" << "The experience of level 7 in levels.txt is not a number: \"1,000\"." << "";
    // clang-format on
}

void HostileInputsTest::unusualThresholds()
{
    QFETCH(QString, level);
    QFETCH(QString, warning);
    QFETCH(QString, oldXp);

    open("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=1e400]\r\n[LEVEL=3 XP=-5]\r\n[LEVEL=4 XP=nan]\r\n"
         "[LEVEL=5 XP=inf]\r\n[LEVEL=6 XP=0x10]\r\n[LEVEL=7 XP=1,000]\r\n[LEVEL=Niveau \xe9lev\xe9 XP=5000]");
    find<QLineEdit>("Text26")->setText(level);
    const QStringList before = captions();
    QCOMPARE(calculate(), warning);
    if (warning.isEmpty())
        QCOMPARE(find<QLabel>("Label29")->text(), oldXp);
    else
        QCOMPARE(captions(), before);

    // The scan reads every threshold by its leading number and still finds a level.
    find<QRadioButton>("Option2")->click();
    find<QLineEdit>("Text25")->setText("6000");
    QCOMPARE(calculate(), QString());
    QCOMPARE(find<QLabel>("Label32")->text(), "Old Level: " + isolated(QString::fromUtf8("Niveau \u00e9lev\u00e9")));
}

// Pasted text takes the digits-only rule too: anything else is refused
// whole, and the field keeps what it held.
void HostileInputsTest::pastedTexts_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("warning"); // empty when the report is written

    const QString digits(10000, '7');
    const QString unicodeDigits = QString::fromUtf8("\u0661\u0662");
    // clang-format off
    QTest::newRow("10,000 digits in a gem field") << "Text1" << digits << "9999" << "";
    QTest::newRow("10,000 digits as experience") << "Text25" << digits << "248292513235" << "";
    QTest::newRow("10,000 digits as level") << "Text26" << digits << "200" << "Level 200 is not in levels.txt, which lists 5 levels.";
    QTest::newRow("a count above 9999") << "Text3" << "10000" << "9999" << "";
    QTest::newRow("a paste is cut to 1,000 characters before it is checked") << "Text7" << QString(1000, '7') + "x" << "9999" << "";
    QTest::newRow("digits copied with a line end") << "Text4" << " 42\r\n" << "42" << "";
    QTest::newRow("grouping separator in a gem field") << "Text5" << "1,000" << "0" << "";
    QTest::newRow("letters in a gem field") << "Text6" << "abcde" << "0" << "";
    QTest::newRow("signs and separators in a gem field") << "Text2" << "+-.," << "0" << "";
    QTest::newRow("signs and separators as experience") << "Text25" << "-.,+" << "0" << "";
    QTest::newRow("decimal point as experience") << "Text25" << "2.430" << "0" << "";
    QTest::newRow("minus sign as level") << "Text26" << "-5" << "1" << "";
    QTest::newRow("Unicode digits in a gem field") << "Text24" << unicodeDigits << "0" << "";
    QTest::newRow("Unicode digits as experience") << "Text25" << unicodeDigits << "0" << "";
    QTest::newRow("Unicode digits as level") << "Text26" << unicodeDigits << "1" << "";
    // clang-format on
}

void HostileInputsTest::pastedTexts()
{
    QFETCH(QString, field);
    QFETCH(QString, pasted);
    QFETCH(QString, kept);
    QFETCH(QString, warning);

    open(fiveLevels);
    if (field == "Text25")
        find<QRadioButton>("Option2")->click();
    auto* edit = find<QLineEdit>(field.toLatin1());
    QApplication::clipboard()->setText(pasted);
    edit->selectAll();
    edit->paste();
    QCOMPARE(edit->text(), kept);

    const QStringList before = captions();
    QCOMPARE(calculate(), warning);
    QVERIFY(window_->isVisible());
    if (warning.isEmpty())
        QVERIFY(captions() != before);
    else
        QCOMPARE(captions(), before);
}

// Markup and control characters in the levels file, a field or a path are
// shown as the characters they are, any but printable ASCII inside their
// own isolate:
// never as rich text, which would open files (a named pipe hangs the
// window), lay out tables for ever or restyle the caption.
void HostileInputsTest::outsideTextShowsAsText_data()
{
    QTest::addColumn<QString>("where"); // "label": New Level; "threshold": a Calculate failure; "folder": start-up
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown"); // the characters shown, as the list shows them
    QTest::addColumn<bool>("isolated"); // among the window's own words

    const QString image = "<img src=fifo>"; // a named pipe of that name stands in the working folder
    QString nestedTables;
    for (int i = 0; i < 19; ++i)
        nestedTables = "<table><tr><td>" + nestedTables + "x</td></tr></table>";

    // clang-format off
    QTest::newRow("image of a named pipe, as a label") << "label" << image << image << false;
    QTest::newRow("image of a named pipe, as a threshold") << "threshold" << image << image << false;
    QTest::newRow("image of a named pipe, as the working folder") << "folder" << image << image << false;
    QTest::newRow("bold and large font spoofing the caption") << "label" << "<b>5</b><font size=7>Level 200</font>" << "<b>5</b><font size=7>Level 200</font>" << false;
    QTest::newRow("table with a huge cell padding") << "label" << "<table cellpadding=1000000000><tr><td>x</td></tr></table>" << "<table cellpadding=1000000000><tr><td>x</td></tr></table>" << false;
    QTest::newRow("19 nested tables") << "label" << nestedTables << nestedTables << false;
    QTest::newRow("plain digits") << "label" << "5" << "5" << false;
    QTest::newRow("a tab is not printable") << "label" << "5\t6" << "5\t6" << true;
    QTest::newRow("line separator") << "label" << QString::fromUtf8("a\u2028b\u2029c\u0085d") << "a b c d" << true;
    QTest::newRow("right-to-left override") << "label" << QString::fromUtf8("\u202e5 :leveL weN\u202c") << "5 :leveL weN" << true;
    QTest::newRow("letters beyond ASCII") << "label" << QString::fromUtf8("\u05d0\u05d1") << QString::fromUtf8("\u05d0\u05d1") << true;
    QTest::newRow("label cut at 1,000 characters") << "label" << QString(1500, 'x') << QString(1000, 'x') + QChar(0x2026) << false;
    QTest::newRow("cut between whole characters") << "label" << QString(999, 'x') + QString::fromUtf8("\U0001F48E\U0001F48E") << QString(999, 'x') + QString::fromUtf8("\U0001F48E\u2026") << true;
    QTest::newRow("isolates and marks") << "threshold" << QString::fromUtf8("\u2066x\u2069\u200f\u061c") << "x" << true;
    // clang-format on
}

void HostileInputsTest::outsideTextShowsAsText()
{
    QFETCH(QString, where);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(bool, isolated);
    const QString amongWords = isolated ? ::isolated(shown) : shown;

#ifndef Q_OS_WIN // Windows has no named pipe in a folder: there the markup's file is simply missing
    QVERIFY(mkfifo(QFile::encodeName(dir_.filePath("fifo")).constData(), 0600) == 0);
#endif
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_.path()));
    const auto restore = qScopeGuard([&] { QDir::setCurrent(previous); });

    if (where == "folder") {
#ifdef Q_OS_WIN
        QSKIP("Windows allows no < or > in a folder's name");
#endif
        QVERIFY(QDir(dir_.path()).mkdir(text));
        window_ = std::make_unique<MainWindow>();
        {
            auto loaded = loadLevels(QDir(dir_.filePath(text)).filePath("levels.txt"));
            window_->setLevels(std::move(loaded.levels), loaded.warningText);
        }
        window_->show();
        QTRY_VERIFY(window_->findChild<QMessageBox*>());
        const auto* box = window_->findChild<QMessageBox*>();
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QVERIFY2(box->text().contains("in the folder \"" + dir_.filePath(text) + "\""), qPrintable(box->text()));
        return;
    }

    const QByteArray utf8 = text.toUtf8();
    open(where == "label" ? "[LEVEL=" + utf8 + " XP=0]" : "[LEVEL=1 XP=" + utf8 + "]");
    if (where == "label") {
        find<QRadioButton>("Option2")->click();
        QCOMPARE(calculate(), QString());
        const auto* caption = find<QLabel>("Label33");
        QCOMPARE(caption->textFormat(), Qt::PlainText);
        QCOMPARE(caption->text(), "New Level: " + amongWords);
        QTRY_COMPARE(find<QListView>("List1")->model()->index(0, 0).data().toString(), shown); // alone on its row
    } else {
        QTest::mouseClick(find("Calculate"), Qt::LeftButton);
        auto* box = window_->findChild<QMessageBox*>();
        QVERIFY(box);
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(box->text(), "The experience of level 1 in levels.txt is not a number: \"" + amongWords + "\".");
    }
}

QTEST_MAIN(HostileInputsTest)
#include "tst_hostileinputs.moc"
