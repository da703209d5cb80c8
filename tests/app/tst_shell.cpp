#include "app/ApplicationIdentity.h"
#include "app/ClosingStep.h"
#include "app/SettingsStore.h"
#include "app/Startup.h"
#include "ui/about/AboutDialog.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QLockFile>
#include <QMessageBox>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace lapidor;

namespace {

const QStringList placementKeys = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

QStringList savedPlacement()
{
    QSettings settings(userSettingsFile(), QSettings::IniFormat);
    QStringList values;
    for (const auto& key : placementKeys)
        values << settings.value("Settings/" + key).toString();
    return values;
}

QStringList placementInTwips(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    return {twipsText(frame.x()), twipsText(frame.y()), twipsText(frame.width()), twipsText(frame.height())};
}

// What a path holds, to tell whether anything wrote to it: for a regular
// file its size, time and, unless it is huge, contents. Other kinds are
// never opened.
QByteArray fingerprint(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return "not a regular file";
    QByteArray print
        = QByteArray::number(info.size()) + " " + QByteArray::number(info.lastModified().toMSecsSinceEpoch());
    QFile file(path);
    if (info.size() <= (8 << 20) && file.open(QIODevice::ReadOnly))
        print += " " + QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
    return print;
}

// Calls a function with every event an object receives.
class EventWatcher : public QObject {
public:
    EventWatcher(QObject* watched, std::function<void(QObject*, QEvent*)> seen)
        : watched_(watched)
        , seen_(std::move(seen))
    {
        watched_->installEventFilter(this);
    }
    ~EventWatcher() override { watched_->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        seen_(object, event);
        return false;
    }

private:
    QObject* watched_;
    std::function<void(QObject*, QEvent*)> seen_;
};

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void closingWritesThePlacementOnce_data();
    void closingWritesThePlacementOnce();
    void minimisedCloseWritesNothing();
    void maximisedCloseWritesWhatTheWindowReports();
    void aboutWindowClosesBeforeThePlacementIsSaved();
    void hostileSettingsStores_data();
    void hostileSettingsStores();
    void levelsFileIsToldOnceOverTheWindow_data();
    void levelsFileIsToldOnceOverTheWindow();
    void desktopIdentityMatchesTheDesktopEntry();

private:
    MainWindow* startUp();

    // Everything the program writes stays in here.
    QTemporaryDir configDir_;
    QTemporaryDir dataDir_;
    QTemporaryDir workDir_;
    std::unique_ptr<Startup> startup_;
};

void ShellTest::initTestCase()
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configDir_.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataDir_.filePath("home")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(dataDir_.filePath("system")));
    QVERIFY(userSettingsFile().startsWith(configDir_.path() + "/"));
    QFile levels(workDir_.filePath("levels.txt"));
    QVERIFY(levels.open(QIODevice::WriteOnly));
    levels.write("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=1000]\r\n");
}

void ShellTest::init()
{
    QVERIFY(QDir(configDir_.path()).removeRecursively() && QDir().mkpath(configDir_.filePath("Lapidor")));
    QVERIFY(QDir::setCurrent(workDir_.path()));
}

void ShellTest::cleanup()
{
    startup_.reset();
}

MainWindow* ShellTest::startUp()
{
    startup_ = std::make_unique<Startup>();
    startup_->start();
    MainWindow* window = startup_->mainWindow();
    QApplication::setActiveWindow(window);
    return window;
}

void ShellTest::closingWritesThePlacementOnce_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<QString>("left");
    QTest::newRow("File > Exit") << true << QPoint(40, 30) << "600";
    QTest::newRow("close box") << false << QPoint(40, 30) << "600";
    QTest::newRow("partly off the screen") << false << QPoint(-50, 10) << "-750";
    QTest::newRow("far off the screen, past an int of twips") << false << QPoint(200'000'000, 10) << "3e+09";
}

void ShellTest::closingWritesThePlacementOnce()
{
    QFETCH(bool, fromMenu);
    QFETCH(QPoint, position);
    QFETCH(QString, left);
    MainWindow* window = startUp();
    window->move(position);
    QSignalSpy closings(window, &MainWindow::closing);
    const QStringList expected = placementInTwips(*window);

    if (fromMenu)
        window->findChild<QAction*>("mnuFileExit")->trigger();
    else
        window->windowHandle()->close();

    QTRY_VERIFY(!window->isVisible());
    QCOMPARE(closings.count(), 1);
    QCOMPARE(savedPlacement(), expected);
    QCOMPARE(expected.first(), left);
}

void ShellTest::minimisedCloseWritesNothing()
{
    QSettings(userSettingsFile(), QSettings::IniFormat).setValue("Settings/MainLeft", "1234");
    MainWindow* window = startUp();
    window->showMinimized();
    QTRY_VERIFY(window->isMinimized());
    window->close();
    QCOMPARE(savedPlacement(), (QStringList{"1234", "", "", ""}));
}

void ShellTest::maximisedCloseWritesWhatTheWindowReports()
{
    MainWindow* window = startUp();
    window->showMaximized();
    QTRY_VERIFY(window->isMaximized());
    QTRY_VERIFY(window->frameGeometry().width() > 768);
    const QStringList expected = placementInTwips(*window);
    window->close();
    QCOMPARE(savedPlacement(), expected);
}

void ShellTest::aboutWindowClosesBeforeThePlacementIsSaved()
{
    MainWindow* window = startUp();
    QStringList savedWhenAboutClosed{"not closed"};
    QTimer::singleShot(0, window, [&] {
        auto* about = window->findChild<AboutDialog*>("frmAbout");
        connect(about, &QDialog::finished, [&] { savedWhenAboutClosed = savedPlacement(); });
        window->close();
    });
    window->findChild<QAction*>("mnuHelpAbout")->trigger(); // returns once the About window has closed

    QCOMPARE(savedWhenAboutClosed, (QStringList{"", "", "", ""}));
    QVERIFY(!window->isVisible());
    QCOMPARE(savedPlacement(), placementInTwips(*window));
}

// What stands at the settings path or its lock; every case must close at
// once, write only into a regular file, and say on stderr when it did not.
void ShellTest::hostileSettingsStores_data()
{
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<QString>("warning"); // what the one warning says; empty when the placement is saved

    QTest::newRow("named pipe") << "fifo"
                                << "it is a named pipe \\(FIFO\\), not a file";
    QTest::newRow("folder") << "folder"
                            << "it is a folder, not a file";
    QTest::newRow("symlink to a named pipe") << "link to fifo"
                                             << "named pipe";
    QTest::newRow("symlink to a regular file is written through") << "link to file"
                                                                  << "";
    QTest::newRow("sparse file far over 1 MiB") << "sparse"
                                                << "it is 64 GiB, larger than a settings file can be";
    QTest::newRow("large junk file") << "large junk"
                                     << "it is 2 MiB, larger than a settings file can be";
    QTest::newRow("small junk file is rewritten") << "small junk"
                                                  << "";
    QTest::newRow("folder at the lock path") << "lock folder"
                                             << "lock file .*it is a folder, not a file";
    QTest::newRow("named pipe at the lock path") << "lock fifo"
                                                 << "lock file .*named pipe";
    QTest::newRow("lock held by a running program") << "lock held"
                                                    << "lock file .*: another program holds it";
    QTest::newRow("write that fails, over an earlier file") << "write fails"
                                                            << "it could not be written";
    QTest::newRow("settings folder is a file") << "folder is a file"
                                               << "its folder .* could not be made";
}

void ShellTest::hostileSettingsStores()
{
    QFETCH(QString, setUp);
    QFETCH(QString, warning);
    const QString path = userSettingsFile();
    const QString lockPath = path + ".lock";
    const QString elsewhere = configDir_.filePath("elsewhere.conf");
    const auto fifo = [](const QString& at) { return mkfifo(QFile::encodeName(at).constData(), 0600) == 0; };
    const auto write = [](const QString& at, const QByteArray& bytes) {
        QFile file(at);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };

    std::unique_ptr<QLockFile> heldLock;
    if (setUp == "fifo") {
        QVERIFY(fifo(path));
    } else if (setUp == "folder") {
        QVERIFY(QDir().mkdir(path));
    } else if (setUp == "link to fifo") {
        QVERIFY(fifo(elsewhere) && QFile::link(elsewhere, path));
    } else if (setUp == "link to file") {
        QVERIFY(write(elsewhere, "[Other]\nkept=yes\n") && QFile::link(elsewhere, path));
    } else if (setUp == "sparse") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(64) << 30));
    } else if (setUp == "large junk" || setUp == "small junk") {
        QByteArray junk(setUp == "large junk" ? 2 << 20 : 4096, '\0');
        for (qsizetype i = 0; i < junk.size(); ++i)
            junk[i] = char((i * 7919) % 251);
        QVERIFY(write(path, junk));
    } else if (setUp == "lock folder") {
        QVERIFY(QDir().mkdir(lockPath));
    } else if (setUp == "lock fifo") {
        QVERIFY(fifo(lockPath));
    } else if (setUp == "lock held") {
        heldLock = std::make_unique<QLockFile>(lockPath);
        QVERIFY(heldLock->tryLock(0));
    } else if (setUp == "write fails") {
        // An earlier file with more in it than may now be written: root
        // writes through any permission, but not past a file size limit.
        QVERIFY(write(path, "[Settings]\nMainLeft=1\n[Other]\nkept=" + QByteArray(2000, 'k') + "\n"));
    } else if (setUp == "folder is a file") {
        QVERIFY(QDir(configDir_.path()).removeRecursively() && write(configDir_.path(), {}));
    }
    const QByteArray before = fingerprint(path);
    const auto kindBefore = QFileInfo(path).isSymLink();

    MainWindow* window = startUp();
    if (warning.isEmpty())
        QTest::failOnWarning(QRegularExpression("did not save"));
    else
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("did not save the window placement to .*Lapidor"
                                                "(/Lapidor.conf)?: .*"
                                                + warning));
    rlimit unlimited{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    if (setUp == "write fails") {
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the test
        const rlimit small{1024, unlimited.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    window->close();
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &unlimited), 0);
    QVERIFY(!window->isVisible());
    heldLock.reset();

    if (setUp == "folder is a file") {
        QVERIFY(QFileInfo(configDir_.path()).isFile()); // still the file it was
        QVERIFY(QFile::remove(configDir_.path()) && QDir().mkpath(configDir_.path()));
        return;
    }
    QCOMPARE(QFileInfo(path).isSymLink(), kindBefore);
    if (setUp == "write fails") {
        // Told, and not saved. (QSaveFile may still have put a file cut
        // short by the limit in place of the earlier one.) Read from the
        // file itself: QSettings would answer from its cache.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!file.readAll().contains("MainWidth=" + placementInTwips(*window)[2].toLatin1()));
        return;
    }
    if (!warning.isEmpty()) {
        // Left as it was: no file written in its place or through it.
        QCOMPARE(fingerprint(path), before);
        if (setUp.contains("fifo") && !setUp.startsWith("lock"))
            QVERIFY(QFileInfo(QFileInfo(path).canonicalFilePath()).isFile() == false);
        return;
    }
    QCOMPARE(savedPlacement(), placementInTwips(*window));
    if (setUp == "link to file")
        QCOMPARE(QSettings(elsewhere, QSettings::IniFormat).value("Other/kept").toString(), "yes");
}

void ShellTest::levelsFileIsToldOnceOverTheWindow_data()
{
    QTest::addColumn<QByteArray>("levels"); // "-": no levels.txt at all
    QTest::addColumn<bool>("sampleInstalled");
    QTest::addColumn<QString>("saying"); // empty: no warning

    QTest::newRow("missing file") << QByteArray("-") << false << "could not be read: \u2068No such file or directory";
    QTest::newRow("missing file, sample installed")
        << QByteArray("-") << true << "A sample file to copy is installed at ";
    QTest::newRow("out of step") << QByteArray("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=250\r\n[LEVEL=3 XP=800] XP=900]") << true
                                 << "line 2 has no XP value closed by ']'";
    QTest::newRow("well-formed") << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=1000]\n\n") << true << "";
}

void ShellTest::levelsFileIsToldOnceOverTheWindow()
{
    QFETCH(QByteArray, levels);
    QFETCH(bool, sampleInstalled);
    QFETCH(QString, saying);

    QTemporaryDir folder;
    QVERIFY(QDir::setCurrent(folder.path()));
    if (levels != "-") {
        QFile file("levels.txt");
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(levels) == levels.size());
    }
    const QString sample = dataDir_.filePath("system/lapidor/levels.txt");
    if (sampleInstalled) {
        QVERIFY(QDir().mkpath(QFileInfo(sample).path()));
        QFile(sample).open(QIODevice::WriteOnly);
    } else {
        QFile::remove(sample);
    }

    // When a box appears, whether the window stood on the screen by then.
    QList<bool> exposedWhenShown;
    const auto watcher = std::make_unique<EventWatcher>(qApp, [&](QObject* object, QEvent* event) {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox*>(object))
            exposedWhenShown << startup_->mainWindow()->windowHandle()->isExposed();
    });
    MainWindow* window = startUp();
    QVERIFY(window->isVisible());
    QVERIFY(window->findChildren<QMessageBox*>().isEmpty()); // not before the window is on the screen
    if (saying.isEmpty()) {
        QTest::qWait(50);
        QVERIFY(window->findChildren<QMessageBox*>().isEmpty());
        return;
    }
    QTRY_COMPARE(window->findChildren<QMessageBox*>().size(), 1);
    const auto* box = window->findChild<QMessageBox*>();
    const QString text = box->text();
    QVERIFY2(text.contains(saying), qPrintable(text));
    QVERIFY2(text.contains("\"levels.txt\"") && text.contains(QFileInfo(folder.path()).canonicalFilePath()),
             qPrintable(text));
    QVERIFY2(text.contains("start Lapidor again"), qPrintable(text));
    QCOMPARE(text.contains(sample), sampleInstalled && levels == "-");
    QTRY_VERIFY((box->frameGeometry().center() - window->frameGeometry().center()).manhattanLength() <= 2);
    QTest::qWait(50);
    QCOMPARE(window->findChildren<QMessageBox*>().size(), 1);
    QCOMPARE(exposedWhenShown, QList<bool>{true});
}

void ShellTest::desktopIdentityMatchesTheDesktopEntry()
{
    identifyApplication();
    QCOMPARE(QGuiApplication::desktopFileName() + ".desktop", QFileInfo(LAPIDOR_DESKTOP_FILE).fileName());
    QVERIFY(QFileInfo::exists(LAPIDOR_DESKTOP_FILE));
    QVERIFY(!QApplication::windowIcon().isNull());
    QCOMPARE(QApplication::applicationVersion(), "1.00");
}

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
