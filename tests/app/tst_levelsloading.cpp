// Start-up's reading of levels.txt: whatever stands at the path or the
// file holds, the program gets a table and, where the player must hear
// something, one warning in plain words.
#include "app/LevelsLoading.h"
#include "files/PathSwapHook.h"

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
    const QByteArray twoLevels = "[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=250]\r\n";

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
    QTest::newRow("working folder deleted") << "gone" << QByteArray() << unreadable << "the folder Lapidor was started in no longer exists";
    QTest::newRow("more than the reader may hold") << "limited" << twoLevels << unreadable << "there is not enough memory to read it";
    QTest::newRow("labels without an XP value count against the limit too") << "limited" << QByteArray("[LEVEL=a XP\n").repeated(1000) << unreadable << "there is not enough memory to read it.\n\nClose other programs";
    QTest::newRow("the room asked for up front holds every label") << "just within the limit" << QByteArray("[LEVEL=a XP\n").repeated(1000) << noLevels << "lists no levels";
    QTest::newRow("UTF-16, big-endian") << "file" << QByteArray("\xfe\xff\0[\0L", 6) << unreadable << "it is saved as UTF-16";
    QTest::newRow("UTF-16") << "file" << QByteArray("\xff\xfe[\0L\0", 6) << unreadable << "it is saved as UTF-16, which Lapidor cannot read; save it as UTF-8 or plain text";
    QTest::newRow("empty file") << "file" << QByteArray() << noLevels << "lists no levels: it is empty";
    QTest::newRow("no level that gives an XP value") << "file" << QByteArray("\r\n[LEVEL=1 XP=]\r\n") << noLevels << "lists no levels: line 2 has no XP value closed by ']'";
    QTest::newRow("out of step") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=250\n[LEVEL=3 XP=800]") << outOfStep << "line 2 has no XP value closed by ']'";
    QTest::newRow("a line that silently drops a level") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=5XP=100]\n[LEVEL=6 XP=200]\n") << outOfStep << "line 2 has no space before 'XP='. That line gives no level, so every level after it counts as one lower";
    QTest::newRow("file swapped for a named pipe between the look and the open") << "swapped for fifo" << twoLevels << unreadable << "it changed while it was being opened";
    QTest::newRow("threshold with a letter O") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=400]\n[LEVEL=3 XP=24O0]\n") << int(LevelsWarning::UnreadableThreshold) << "line 3 gives the XP value \"24O0\", which is not a number. A calculation from level 3 cannot be made, " "and looking up levels by experience reads that value as 24.";
    QTest::newRow("threshold with a grouping separator") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=1,000]") << int(LevelsWarning::UnreadableThreshold) << "line 2 gives the XP value \"1,000\"";
    QTest::newRow("thresholds running down") << "file" << QByteArray("[LEVEL=5 XP=4000]\n[LEVEL=4 XP=3000]\n[LEVEL=3 XP=2000]\n[LEVEL=2 XP=1000]\n[LEVEL=1 XP=0]\n") << int(LevelsWarning::ThresholdsOutOfOrder) << "line 2 gives 3000 XP, no more than the 4000 XP of line 1. From the current level, " "Lapidor uses the file as written; but from the current experience it finds the largest XP value reached, " "so " "levels come out in the wrong order.";
    QTest::newRow("repeated threshold") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=400]\n[LEVEL=3 XP=400]") << int(LevelsWarning::ThresholdsOutOfOrder) << "no more than the 400 XP of line 2. From the current " "level, Lapidor uses the file as written; but from the current experience " "it finds the largest XP value reached, " "so level 3 can never be reached.";
    QTest::newRow("zero after the first line") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=0]") << int(LevelsWarning::ThresholdsOutOfOrder) << "line 2 gives 0 XP, no more than";
    QTest::newRow("negative after a lower one") << "file" << QByteArray("[LEVEL=1 XP=-10]\n[LEVEL=2 XP=-5]") << int(LevelsWarning::ThresholdsOutOfOrder) << "line 2 gives -5 XP, but every level after the first needs more than 0 XP. From the current " "level, " "Lapidor uses the file as written; but from the current experience it finds the largest XP value reached, " "so " "level 2 can never be reached.";
    QTest::newRow("typo is told before disorder") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=0]\n[LEVEL=3 XP=x]") << int(LevelsWarning::UnreadableThreshold) << "line 3 gives the XP value";
    QTest::newRow("a line out of step is told before a typo") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=x]\n[LEVEL=3 XP=5] XP=6]") << outOfStep << "line 3 has two XP values";
    QTest::newRow("note line gets no word") << "file" << QByteArray("# levels for season 3\n[LEVEL=1 XP=0]\n[LEVEL=2 XP=400]\n") << int(LevelsWarning::None) << "";
    QTest::newRow("blanks around = are said as such") << "file" << QByteArray("[LEVEL=1 XP=0]\n[LEVEL = 2 XP = 400]\n") << outOfStep << "line 2 has blanks around '=': write XP=400, without blanks around '='. From that line on, levels may " "be paired with the wrong experience.";
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

    LoadedLevels loaded;
    if (setUp == "gone") {
        const QString previous = QDir::currentPath();
        QVERIFY(QDir(dir.path()).mkdir("gone") && QDir::setCurrent(dir.filePath("gone")));
        QVERIFY(QDir(dir.path()).rmdir("gone"));
        loaded = loadLevels("levels.txt");
        QVERIFY(QDir::setCurrent(previous));
    } else {
#ifndef Q_OS_WIN
        if (setUp == "swapped for fifo")
            setPathSwapHook([](const std::filesystem::path& at) {
                std::filesystem::remove(at);
                mkfifo(at.c_str(), 0600);
            });
#endif
        loaded = loadLevels(path, memoryLimit);
        setPathSwapHook({});
    }

    const QString& text = loaded.warningText;
    QCOMPARE(int(loaded.warning), kind);
    QVERIFY2(text.contains(saying), qPrintable(text));
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
    }
}

QTEST_APPLESS_MAIN(LevelsLoadingTest)
#include "tst_levelsloading.moc"
