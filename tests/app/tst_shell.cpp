#include "app/ApplicationIdentity.h"
#include "app/ClosingStep.h"
#include "app/ErrorLine.h"
#ifndef Q_OS_WIN
#include "app/FileReplacement.h"
#include "app/SettingsLocation.h"
#include "app/SettingsLock.h"
#endif
#include "app/Startup.h"
#include "files/PathSwapHook.h"
#include "text/TerminalLine.h"
#include "ui/about/AboutDialog.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <csignal>
#include <cstring>
#include <functional>
#ifndef Q_OS_WIN
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace lapidor;

namespace {

const QStringList placementKeys = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

#ifdef Q_OS_WIN
// The store Windows keeps the placement in: HKEY_CURRENT_USER\Software\Lapidor\Lapidor.
std::unique_ptr<QSettings> placementStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "Lapidor", "Lapidor");
}
#else
QString settingsFile()
{
    return QFile::decodeName(QByteArray::fromStdString(userSettingsLocation().file.native()));
}

std::unique_ptr<QSettings> placementStore()
{
    return std::make_unique<QSettings>(settingsFile(), QSettings::IniFormat);
}
#endif

QStringList savedPlacement()
{
    const auto settings = placementStore();
    QStringList values;
    for (const auto& key : placementKeys)
        values << settings->value("Settings/" + key).toString();
    return values;
}

QStringList placementInTwips(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    return {twipsText(frame.x()), twipsText(frame.y()), twipsText(frame.width()), twipsText(frame.height())};
}

#ifndef Q_OS_WIN
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
#endif

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

#ifndef Q_OS_WIN
// The bytes of a regular file of at most 8 MiB; other kinds are never opened.
QByteArray contents(const QString& path)
{
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || info.size() > (8 << 20) || !file.open(QIODevice::ReadOnly))
        return "not a readable file";
    return file.readAll();
}

// The permission bits of what a path leads to; 0 when there is nothing.
mode_t modeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Everything in a folder and below it, symlinks not followed.
QStringList everythingIn(const QString& folder)
{
    QStringList found;
    QDirIterator entries(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                         QDirIterator::Subdirectories);
    while (entries.hasNext())
        found << entries.next();
    found.sort();
    return found;
}

// A user id that is not the one the test runs as.
uid_t anotherUser()
{
    return ::geteuid() == 65534 ? 65533 : 65534;
}

// Temporary files of a save that were left in a folder.
QStringList leftovers(const QString& folder)
{
    return QDir(folder).entryList({"*.tmp"}, QDir::AllEntries | QDir::Hidden | QDir::System);
}

// Another program that takes the lock file at a path and holds it until
// its input closes: this test program started again (see main()).
std::unique_ptr<QProcess> startLockHolder(const QString& lockPath)
{
    auto holder = std::make_unique<QProcess>();
    holder->start(QCoreApplication::applicationFilePath(), {"--hold-lock", lockPath});
    if (!holder->waitForReadyRead(30'000) || holder->readLine().trimmed() != "locked")
        return {};
    return holder;
}

int holdLock(int argc, char* argv[])
{
    QCoreApplication app(argc, argv); // the lock names the program holding it
    QLockFile lock(QFile::decodeName(argv[2]));
    if (!lock.tryLock(0))
        return 1;
    std::puts("locked");
    std::fflush(stdout);
    char byte;
    while (::read(STDIN_FILENO, &byte, 1) > 0) {}
    return 0;
}
#endif

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
    void aboutWindowClosesBeforeThePlacementIsSaved_data();
    void aboutWindowClosesBeforeThePlacementIsSaved();
    void hostileSettingsStores_data();
    void hostileSettingsStores();
    void settingsFolderFollowsTheXdgRules_data();
    void settingsFolderFollowsTheXdgRules();
    void settingsFileBelongsToItsUser_data();
    void settingsFileBelongsToItsUser();
    void settingsLockIsTakenOnlyWhereSafe_data();
    void settingsLockIsTakenOnlyWhereSafe();
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
    qputenv("HOME", QFile::encodeName(dataDir_.filePath("user")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataDir_.filePath("home")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(dataDir_.filePath("system")));
#ifndef Q_OS_WIN
    QVERIFY(settingsFile().startsWith(configDir_.path() + "/"));
#endif
    QFile levels(workDir_.filePath("levels.txt"));
    QVERIFY(levels.open(QIODevice::WriteOnly));
    levels.write("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=1000]\r\n");
}

void ShellTest::init()
{
    QVERIFY(QDir(configDir_.path()).removeRecursively() && QDir().mkpath(configDir_.filePath("Lapidor")));
    placementStore()->remove("Settings"); // the registry, on Windows
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
    // clang-format off
    QTest::newRow("File > Exit") << true << QPoint(40, 30) << "600";
    QTest::newRow("close box") << false << QPoint(40, 30) << "600";
    QTest::newRow("partly off the screen") << false << QPoint(-50, 10) << "-750";
    QTest::newRow("far off the screen, past an int of twips") << false << QPoint(200'000'000, 10) << "3e+09";
    // clang-format on
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
    placementStore()->setValue("Settings/MainLeft", "1234");
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

void ShellTest::aboutWindowClosesBeforeThePlacementIsSaved_data()
{
    QTest::addColumn<int>("signal"); // 0: the window is closed

    QTest::newRow("window closed") << 0;
#ifndef Q_OS_WIN // Windows has no SIGTERM to close a window by
    QTest::newRow("SIGTERM") << SIGTERM;
#endif
}

void ShellTest::aboutWindowClosesBeforeThePlacementIsSaved()
{
    QFETCH(int, signal);
    MainWindow* window = startUp();
    QStringList savedWhenAboutClosed{"not closed"};
    QTimer::singleShot(0, window, [&] {
        auto* about = window->findChild<AboutDialog*>("frmAbout");
        connect(about, &QDialog::finished, [&] { savedWhenAboutClosed = savedPlacement(); });
        if (signal != 0)
            ::raise(signal);
        else
            window->close();
    });
    window->findChild<QAction*>("mnuHelpAbout")->trigger(); // returns once the About window has closed

    QCOMPARE(savedWhenAboutClosed, (QStringList{"", "", "", ""}));
    QVERIFY(!window->isVisible());
    QCOMPARE(savedPlacement(), placementInTwips(*window));
}

// What stands at the settings path or its lock; every case must close at
// once, write only into a regular file, leave no temporary file, and say on
// stderr, in one line, when it did not save.
void ShellTest::hostileSettingsStores_data()
{
#ifdef Q_OS_WIN
    QSKIP("the settings file is Linux's: Windows keeps the placement in the registry");
#else
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<QString>("warning"); // what the one warning says; empty when the placement is saved

    // clang-format off
    QTest::newRow("named pipe") << "fifo" << "it is a named pipe \\(FIFO\\), not a file";
    QTest::newRow("folder") << "folder" << "it is a folder, not a file";
    QTest::newRow("symlink to a named pipe") << "link to fifo" << "named pipe";
    QTest::newRow("symlink to a regular file is written through") << "link to file" << "";
    QTest::newRow("sparse file far over 1 MiB") << "sparse" << "it is 64 GiB, larger than a settings file can be";
    QTest::newRow("large junk file") << "large junk" << "it is 2 MiB, larger than a settings file can be";
    QTest::newRow("small junk file is kept, the placement added after it") << "small junk" << "";
    QTest::newRow("folder at the lock path") << "lock folder" << "lock file .*: it is a folder, not a regular file";
    QTest::newRow("named pipe at the lock path") << "lock fifo" << "lock file .*named pipe";
    QTest::newRow("dangling symlink at the lock path") << "lock link" << "lock file .*: it is a symbolic link, not a regular file";
    QTest::newRow("stale older lock, a named pipe at its .rmlock") << "rmlock fifo" << "";
    QTest::newRow("stale older lock, a folder at its .rmlock") << "rmlock folder" << "";
    QTest::newRow("lock held by a running program") << "lock held" << "lock file .*: another program holds it";
    QTest::newRow("lock held by another process") << "lock held elsewhere" << "lock file .*: another program holds it";
    QTest::newRow("lock left by a killed process is stale") << "lock left" << "";
    QTest::newRow("write that fails (disk full), over an earlier file") << "write fails" << "it could not be written: File too large";
    QTest::newRow("swapped for a named pipe before the rename") << "swapped" << "it is a named pipe \\(FIFO\\), not a file";
    QTest::newRow("settings folder is a file") << "folder is a file" << "the folder .* is a regular file, not a folder";
    QTest::newRow("1 MiB file with other sections would grow past 1 MiB") << "1 MiB" << "its new text would be 1.0 MiB \\(10486\\d\\d bytes\\), larger than a settings file can be, 1 MiB \\(1048576 bytes\\); the file is left as it was";
    QTest::newRow("another user's setuid file, as root") << "stranger's file" << "the file .*/Lapidor.conf belongs to user 65534, not to user 0, who runs Lapidor";
    QTest::newRow("setuid and execute bits dropped, read and write bits kept") << "mode 4755" << "";
    QTest::newRow("a new file is private") << "new file" << "";
    QTest::newRow("read-only file") << "read-only" << "it is read-only \\(its owner may not write it\\), so it is left as it is";
    QTest::newRow("edited in place before the rename: saved again with the edit") << "edited once" << "";
    QTest::newRow("edited in place at every try") << "edited always" << "another program changed it each of the 4 times it was being saved; it is left as it was";
    QTest::newRow("temporary file left by a save cut short") << "leftover" << "";
    QTest::newRow("other lines and comments kept byte for byte") << "other lines" << "";
    QTest::newRow("no settings folder the XDG rules allow") << "no folder" << "XDG_CONFIG_HOME is not an absolute path and HOME is " "\"home\", not an absolute path, so there is no " "settings folder";
    // clang-format on
#endif
}

void ShellTest::hostileSettingsStores()
{
#ifndef Q_OS_WIN
    QFETCH(QString, setUp);
    QFETCH(QString, warning);
    const QString path = settingsFile();
    const QString lockPath = path + ".lock";
    const QString elsewhere = configDir_.filePath("elsewhere.conf");
    const auto fifo = [](const QString& at) { return mkfifo(QFile::encodeName(at).constData(), 0600) == 0; };
    const auto write = [](const QString& at, const QByteArray& bytes) {
        QFile file(at);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    const auto isFifo = [](const QString& at) {
        struct stat info {};
        return ::lstat(QFile::encodeName(at).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
    };
    const QByteArray otherLines = "; Lapidor's window\r\n[Other]\r\nkept = yes ; said twice\r\n\r\n[Settings]\r\n"
                                  "MainTop=1\r\n# a comment\r\nColour=\"blue\"\r\n  MainLeft = 2\r\n\r\n"
                                  "[Last]\r\nend=1";

    std::unique_ptr<SettingsLock> heldLock;
    std::unique_ptr<QProcess> lockHolder;
    QStringList calls; // what put the new text in place
    setReplacementCallLog([&](std::string_view call) { calls << QString::fromLatin1(call); });
    const QByteArray environment[] = {qgetenv("XDG_CONFIG_HOME"), qgetenv("HOME")};
    const auto restoreEnvironment = qScopeGuard([&] {
        qputenv("XDG_CONFIG_HOME", environment[0]);
        qputenv("HOME", environment[1]);
        setPathSwapHook({});
        setReplacementCallLog({});
        if (setUp == "stranger's file")
            QFile::remove(path); // a setuid file never outlives its row
    });
    const QStringList workBefore = QDir(workDir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
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
    } else if (setUp == "lock link") {
        QVERIFY(QFile::link(elsewhere, lockPath));
    } else if (setUp.startsWith("rmlock")) {
        // An older build's lock, left by a process long gone.
        QVERIFY(write(lockPath, "2147483647\nlapidor\n" + QSysInfo::machineHostName().toUtf8() + "\n"));
        QFile lock(lockPath);
        QVERIFY(lock.open(QIODevice::ReadWrite)
                && lock.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
        QVERIFY(setUp == "rmlock fifo" ? fifo(lockPath + ".rmlock") : QDir().mkdir(lockPath + ".rmlock"));
    } else if (setUp == "lock held") {
        heldLock = std::make_unique<SettingsLock>(QFile::encodeName(lockPath).toStdString(), ::geteuid(),
                                                  std::chrono::milliseconds(0));
        QVERIFY(heldLock->held());
    } else if (setUp == "lock held elsewhere" || setUp == "lock left") {
        QVERIFY(write(path, "[Settings]\nMainLeft=1\n"));
        lockHolder = startLockHolder(lockPath);
        QVERIFY(lockHolder);
        if (setUp == "lock left") {
            lockHolder->kill();
            QVERIFY(lockHolder->waitForFinished(30'000));
            QVERIFY(QFileInfo::exists(lockPath));
        }
    } else if (setUp == "write fails" || setUp == "swapped") {
        // An earlier file with more in it than may now be written: root
        // writes through any permission, but not past a file size limit.
        QVERIFY(write(path, "[Settings]\nMainLeft=1\n[Other]\nkept=" + QByteArray(2000, 'k') + "\n"));
        if (setUp == "swapped")
            setPathSwapHook([&](const std::filesystem::path& at) {
                // Once the new text is written and before it replaces the file.
                if (at == QFile::encodeName(path).toStdString() && !leftovers(QFileInfo(path).path()).isEmpty())
                    QVERIFY(QFile::remove(path) && fifo(path));
            });
    } else if (setUp == "folder is a file") {
        QVERIFY(QDir(configDir_.path()).removeRecursively() && write(configDir_.path(), {}));
    } else if (setUp == "1 MiB") {
        QByteArray file = "[Settings]\nMainLeft=1\n\n[Other]\n";
        for (int line = 0; file.size() < (1 << 20); ++line)
            file += "key" + QByteArray::number(line) + "=" + QByteArray(100, 'v') + "\n";
        file.resize((1 << 20) - 1);
        file += '\n';
        QVERIFY(write(path, file));
    } else if (setUp == "leftover") {
        QVERIFY(write(path + ".Ab12Z9.tmp", "[Settings]\nMainLeft=") && write(path + ".old", "kept"));
    } else if (setUp == "other lines") {
        QVERIFY(write(path, otherLines));
    } else if (setUp == "stranger's file" || setUp == "mode 4755" || setUp == "read-only") {
        if (setUp == "stranger's file" && ::geteuid() != 0)
            QSKIP("only root can hand a file to another user");
        const auto file = QFile::encodeName(path);
        QVERIFY(write(path, "[Other]\nkept=yes\n"));
        QVERIFY(setUp != "stranger's file" || ::chown(file.constData(), 65534, 65534) == 0);
        QCOMPARE(::chmod(file.constData(), setUp == "read-only" ? 0444 : 04755), 0);
    } else if (setUp.startsWith("edited")) {
        QVERIFY(write(path, "[Settings]\nMainLeft=1\n[Other]\nnote=A\n"));
        setPathSwapHook([&, edits = 0](const std::filesystem::path& at) mutable {
            // Once the new text is written: the same size, only the change time tells.
            if (at != QFile::encodeName(path).toStdString() || leftovers(QFileInfo(path).path()).isEmpty()
                || (setUp == "edited once" && edits > 0))
                return;
            QThread::msleep(20); // past the file system's clock tick
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(file.size() - 2));
            QVERIFY(file.write(++edits % 2 ? "B" : "A") == 1);
        });
    } else if (setUp == "no folder") {
        qputenv("XDG_CONFIG_HOME", "config");
        qputenv("HOME", "home");
    }
    const QByteArray before = fingerprint(path);
    const auto modeBefore = modeOf(path);
    const QByteArray bytesBefore = setUp == "small junk" ? contents(path) : QByteArray();
    const auto kindBefore = QFileInfo(path).isSymLink();

    MainWindow* window = startUp();
    QTest::failOnWarning(QRegularExpression("did not save"));
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(setUp == "no folder" ? "did not save the window placement: " + warning
                                                                     : "did not save the window placement to .*Lapidor"
                                                                       "(/Lapidor.conf)?: .*"
                                                        + warning));
    rlimit unlimited{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    if (setUp == "write fails") {
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the test
        const rlimit small{1024, unlimited.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    QElapsedTimer closing;
    closing.start();
    window->close();
    const auto closingTime = closing.elapsed();
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &unlimited), 0);
    QVERIFY(!window->isVisible());
    QVERIFY2(closingTime < 3000, qPrintable(QString::number(closingTime))); // a lock is waited for a second at most
    heldLock.reset();
    if (lockHolder) {
        lockHolder->closeWriteChannel();
        QVERIFY(lockHolder->state() == QProcess::NotRunning || lockHolder->waitForFinished(30'000));
    }

    if (setUp == "folder is a file") {
        QVERIFY(QFileInfo(configDir_.path()).isFile()); // still the file it was
        QVERIFY(QFile::remove(configDir_.path()) && QDir().mkpath(configDir_.path()));
        return;
    }
    QCOMPARE(leftovers(QFileInfo(path).path()), QStringList());
    QCOMPARE(leftovers(configDir_.path()), QStringList());
    if (setUp == "no folder") {
        // Nothing anywhere: not beside the working folder, not in the usual one.
        QCOMPARE(QDir(workDir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), workBefore);
        QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        return;
    }
    QCOMPARE(QFileInfo(path).isSymLink(), kindBefore);
    if (setUp == "swapped") {
        QVERIFY(isFifo(path)); // never replaced
        return;
    }
    if (!warning.isEmpty()) {
        // Left as it was: no file written in its place or through it.
        QCOMPARE(calls.count("rename"), 0);
        QCOMPARE(modeOf(path), modeBefore);
        if (setUp == "edited always")
            QVERIFY(!contents(path).contains("MainTop"));
        else
            QCOMPARE(fingerprint(path), before);
        if (setUp == "lock link")
            QVERIFY(!QFileInfo::exists(elsewhere));
        if (setUp.contains("fifo") && !setUp.startsWith("lock"))
            QVERIFY(QFileInfo(QFileInfo(path).canonicalFilePath()).isFile() == false);
        return;
    }
    // The new text reached the disk before it took the file's place.
    QCOMPARE(calls.count("rename"), 1);
    QCOMPARE(calls.last(2), (QStringList{"fsync", "rename"}));
    if (setUp == "mode 4755" || setUp == "new file")
        QCOMPARE(modeOf(path), setUp == "new file" ? 0600u : 0644u);
    const QStringList twips = placementInTwips(*window);
    if (setUp == "small junk") {
        // Its odd number of quotes would swallow the section for QSettings;
        // read line by line, it follows the junk.
        const QByteArray saved = contents(path);
        QVERIFY(saved.startsWith(bytesBefore));
        QByteArrayList added = saved.sliced(bytesBefore.size()).replace('\r', '\n').split('\n');
        added.removeAll(QByteArray());
        QCOMPARE(added,
                 (QByteArrayList{"[Settings]", "MainLeft=" + twips[0].toLatin1(), "MainTop=" + twips[1].toLatin1(),
                                 "MainWidth=" + twips[2].toLatin1(), "MainHeight=" + twips[3].toLatin1()}));
        return;
    }
    QCOMPARE(savedPlacement(), twips);
    if (setUp == "link to file")
        QCOMPARE(QSettings(elsewhere, QSettings::IniFormat).value("Other/kept").toString(), "yes");
    if (setUp == "edited once")
        QVERIFY(contents(path).endsWith("[Other]\nnote=B\n"));
    if (setUp == "leftover")
        QCOMPARE(contents(path + ".old"), "kept");
    if (setUp == "other lines") {
        // The section's own lines replaced in place, the missing ones added
        // after its last line with the file's line ends; all else as it was.
        const QByteArray expected = "; Lapidor's window\r\n[Other]\r\nkept = yes ; said twice\r\n\r\n[Settings]\r\n"
                                    "MainTop="
            + twips[1].toLatin1() + "\r\n# a comment\r\nColour=\"blue\"\r\nMainLeft=" + twips[0].toLatin1()
            + "\r\nMainWidth=" + twips[2].toLatin1() + "\r\nMainHeight=" + twips[3].toLatin1()
            + "\r\n\r\n[Last]\r\nend=1";
        QCOMPARE(contents(path), expected);
    }
#endif
}

// Where the settings file goes, from the environment's bytes.
void ShellTest::settingsFolderFollowsTheXdgRules_data()
{
#ifdef Q_OS_WIN
    QSKIP("the XDG folders are Linux's: Windows keeps the placement in the registry");
#else
    QTest::addColumn<QByteArray>("configHome"); // "-": unset
    QTest::addColumn<QByteArray>("home");       // "-": unset
    QTest::addColumn<QByteArray>("file");       // empty: none
    QTest::addColumn<QString>("problem");       // why there is none

    const QByteArray temporary = QFile::encodeName(configDir_.path());
    const QByteArray fromConfigHome = temporary + "/config/Lapidor/Lapidor.conf";
    const QByteArray fromHome = temporary + "/home/.config/Lapidor/Lapidor.conf";
    // clang-format off
    QTest::newRow("absolute XDG_CONFIG_HOME, whatever HOME holds") << temporary + "/config" << QByteArray("home") << fromConfigHome << "";
    QTest::newRow("relative XDG_CONFIG_HOME is ignored") << QByteArray("config") << temporary + "/home" << fromHome << "";
    QTest::newRow("empty XDG_CONFIG_HOME is ignored") << QByteArray("") << temporary + "/home" << fromHome << "";
    QTest::newRow("unset XDG_CONFIG_HOME") << QByteArray("-") << temporary + "/home" << fromHome << "";
    QTest::newRow("unset HOME") << QByteArray("config") << QByteArray("-") << QByteArray() << "XDG_CONFIG_HOME is not an absolute path and HOME is not set, so there is no " "settings folder";
    QTest::newRow("empty HOME") << QByteArray("-") << QByteArray("") << QByteArray() << "and HOME is empty, so";
    QTest::newRow("relative HOME") << QByteArray("") << QByteArray("home") << QByteArray() << "and HOME is \"home\", not an absolute path, so";
    QTest::newRow("XDG_CONFIG_HOME not valid UTF-8") << temporary + "/caf\xe9" << temporary + "/home" << QByteArray() << "the settings folder " + configDir_.path() + "/caf\\xe9 has a name that is not valid UTF-8";
    QTest::newRow("HOME not valid UTF-8") << QByteArray("-") << temporary + "/\xff\xfe" << QByteArray() << "/\\xff\\xfe/.config has a name that is not valid UTF-8";
    // clang-format on
#endif
}

void ShellTest::settingsFolderFollowsTheXdgRules()
{
#ifndef Q_OS_WIN
    QFETCH(QByteArray, configHome);
    QFETCH(QByteArray, home);
    QFETCH(QByteArray, file);
    QFETCH(QString, problem);
    const QByteArray environment[] = {qgetenv("XDG_CONFIG_HOME"), qgetenv("HOME")};
    const auto restoreEnvironment = qScopeGuard([&] {
        qputenv("XDG_CONFIG_HOME", environment[0]);
        qputenv("HOME", environment[1]);
    });
    const auto set = [](const char* name, const QByteArray& value) {
        if (value == "-")
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    set("XDG_CONFIG_HOME", configHome);
    set("HOME", home);

    const auto location = userSettingsLocation();
    QCOMPARE(QByteArray::fromStdString(location.file.native()), file);
    const QString said = QString::fromStdString(terminalLine(location.problem)); // as stderr shows it
    if (problem.isEmpty())
        QCOMPARE(said, QString());
    else
        QVERIFY2(said.contains(problem), qPrintable(said));
#endif
}

// Whose folders, symlinks and file the settings file may be reached
// through, and which folders are made.
void ShellTest::settingsFileBelongsToItsUser_data()
{
#ifdef Q_OS_WIN
    QSKIP("the settings file is Linux's: Windows keeps the placement in the registry");
#else
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<QString>("stranger"); // "*": asked for another user; else what user 65534 gets (as root)
    QTest::addColumn<QString>("found");    // the file, under the temporary folder; empty: none
    QTest::addColumn<QString>("problem");

    // clang-format off
    QTest::newRow("own folders, through own symlinks") << "links" << "" << "elsewhere/settings.conf" << "";
    QTest::newRow("missing folders made private") << "missing" << "" << "a/b/Lapidor/Lapidor.conf" << "";
    QTest::newRow("nothing made in another user's settings folder") << "folder" << "*" << "" << "^the folder .*/base belongs to user \\d+, not to user \\d+, who runs Lapidor$";
    QTest::newRow("no settings folder made in another user's folder") << "missing" << "*" << "" << "^the folder .* belongs to user";
    QTest::newRow("another user's symlink is not followed") << "links" << "*" << "" << "^the symbolic link .*/base belongs to user";
    QTest::newRow("symlink loop") << "loop" << "" << "" << "base: Too many levels of symbolic links$";
    QTest::newRow("another user's symlink on the way, as root") << "links" << "real/Lapidor" << "" << "^the symbolic link .*/real/Lapidor belongs to user 65534";
    QTest::newRow("another user's folder a symlink leads into, as root") << "links" << "elsewhere" << "" << "^the folder .*/elsewhere belongs to user 65534";
    QTest::newRow("another user's file, as root") << "links" << "elsewhere/settings.conf" << "" << "^the file .*/elsewhere/settings.conf belongs to user 65534";
    // clang-format on
#endif
}

void ShellTest::settingsFileBelongsToItsUser()
{
#ifndef Q_OS_WIN
    QFETCH(QString, setUp);
    QFETCH(QString, stranger);
    QFETCH(QString, found);
    QFETCH(QString, problem);
    const QTemporaryDir temporary;
    const QString root = temporary.path() + "/";
    const auto link = [&](const char* target, const QString& at) {
        return ::symlink(target, QFile::encodeName(root + at).constData()) == 0;
    };
    if (setUp == "links") {
        QVERIFY(QDir(root).mkpath("real") && QDir(root).mkpath("folder") && QDir(root).mkpath("elsewhere"));
        QVERIFY(link("real", "base") && link(QFile::encodeName(root + "folder"), "real/Lapidor")
                && link("../elsewhere/settings.conf", "folder/Lapidor.conf"));
        QVERIFY(QFile(root + "elsewhere/settings.conf").open(QIODevice::WriteOnly));
    } else if (setUp == "folder") {
        QVERIFY(QDir(root).mkdir("base"));
    } else if (setUp == "loop") {
        QVERIFY(link("base", "base"));
    }
    uid_t user = ::geteuid();
    if (stranger == "*") {
        user = anotherUser();
    } else if (!stranger.isEmpty()) {
        if (::geteuid() != 0)
            QSKIP("only root can hand a file to another user");
        QCOMPARE(::lchown(QFile::encodeName(root + stranger).constData(), 65534, 65534), 0);
    }
    const QStringList before = everythingIn(root);

    const auto settings = settingsFileUnder(
        QFile::encodeName(root + (setUp == "missing" ? "a/b" : "base")).toStdString(), user, MakeFolders::Yes);
    const QString said = QString::fromStdString(settings.problem);
    if (!problem.isEmpty()) {
        QVERIFY2(QRegularExpression(problem).match(said).hasMatch(), qPrintable(said));
        QCOMPARE(settings.file, std::filesystem::path());
        QCOMPARE(everythingIn(root), before); // nothing made
        return;
    }
    QCOMPARE(said, QString());
    QCOMPARE(QFile::decodeName(settings.file.lexically_normal().c_str()), root + found);
    if (setUp == "missing")
        for (const char* folder : {"a", "a/b", "a/b/Lapidor"})
            QCOMPARE(modeOf(root + folder), 0700u);
#endif
}

// What may stand at the lock path, and who may hold the lock.
void ShellTest::settingsLockIsTakenOnlyWhereSafe_data()
{
#ifdef Q_OS_WIN
    QSKIP("the settings file is Linux's: Windows keeps the placement in the registry");
#else
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<QString>("problem"); // matches why it is not taken; "^$": taken

    // clang-format off
    QTest::newRow("nothing there: a private lock file, which stays") << "" << "^$";
    QTest::newRow("another user's lock file") << "stranger" << "^it belongs to user \\d+, not to user \\d+, who runs Lapidor$";
    QTest::newRow("replaced once taken, by a lock held elsewhere") << "replaced, held" << "^another program holds it$";
    QTest::newRow("replaced once taken, by a free one: that one taken") << "replaced" << "^$";
    // clang-format on
#endif
}

void ShellTest::settingsLockIsTakenOnlyWhereSafe()
{
#ifndef Q_OS_WIN
    QFETCH(QString, setUp);
    QFETCH(QString, problem);
    const QTemporaryDir temporary;
    const QString path = temporary.filePath("Lapidor.conf.lock");
    const QByteArray lockPath = QFile::encodeName(path);
    const auto lockedElsewhere = [&] {
        const int fd = ::open(lockPath.constData(), O_RDWR | O_CLOEXEC);
        const bool locked = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        ::close(fd);
        return locked;
    };
    int replacement = -1; // the lock file put in place of the one taken, held open
    const auto cleanUp = qScopeGuard([&] {
        setPathSwapHook({});
        ::close(replacement);
    });
    if (setUp == "stranger") {
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    } else if (setUp.startsWith("replaced")) {
        // As an older build that took the lock file for stale: removed, and
        // a new one made (and locked) in its place.
        setPathSwapHook([&](const std::filesystem::path& at) {
            if (at != lockPath.constData() || replacement >= 0)
                return;
            QVERIFY(::unlink(lockPath.constData()) == 0);
            replacement = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
            QVERIFY(replacement >= 0 && (setUp == "replaced" || ::flock(replacement, LOCK_EX) == 0));
        });
    }

    auto lock = std::make_unique<SettingsLock>(
        lockPath.toStdString(), setUp == "stranger" ? anotherUser() : ::geteuid(), std::chrono::milliseconds(1000));
    const QString said = QString::fromStdString(lock->problem());
    QVERIFY2(QRegularExpression(problem).match(said).hasMatch(), qPrintable(said));
    QCOMPARE(lock->held(), problem == "^$");
    if (!lock->held())
        return;
    QVERIFY(lockedElsewhere()); // the lock file at the path, not one removed
    QCOMPARE(modeOf(path), 0600u);
    lock.reset();
    QVERIFY(QFileInfo::exists(path) && !lockedElsewhere());
#endif
}

void ShellTest::levelsFileIsToldOnceOverTheWindow_data()
{
    QTest::addColumn<QByteArray>("levels"); // "-": no levels.txt at all
    QTest::addColumn<bool>("sampleInstalled");
    QTest::addColumn<QString>("saying"); // empty: no warning

    // clang-format off
    QTest::newRow("missing file") << QByteArray("-") << false << "could not be read: No such file or directory";
    QTest::newRow("missing file, sample installed") << QByteArray("-") << true << "A sample file to copy is installed at ";
    QTest::newRow("out of step") << QByteArray("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=250\r\n[LEVEL=3 XP=800] XP=900]") << true << "line 2 has no XP value closed by ']'";
    QTest::newRow("well-formed") << QByteArray("[LEVEL=1 XP=0]\n[LEVEL=2 XP=1000]\n\n") << true << "";
    // clang-format on
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
    // The sample lies where an installed program finds it: from its own
    // folder, as the install lays them out. Here that is beside the test
    // program in the build folder, made for this row only.
    const QString sample = QDir::toNativeSeparators(
        QDir::cleanPath(QCoreApplication::applicationDirPath() + "/" + LAPIDOR_SAMPLE_FROM_PROGRAM));
    QVERIFY2(!QFileInfo::exists(sample), qPrintable(sample + " is in the way"));
    const auto removeSample = qScopeGuard([&] { QFile::remove(sample); });
    if (sampleInstalled) {
        QVERIFY(QDir().mkpath(QFileInfo(sample).path()));
        QVERIFY(QFile(sample).open(QIODevice::WriteOnly));
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
    QVERIFY2(text.contains("\"levels.txt\"")
                 && text.contains(QDir::toNativeSeparators(QFileInfo(folder.path()).canonicalFilePath())),
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
#ifndef Q_OS_WIN // the source tree is not a Windows path
    QVERIFY(QFileInfo::exists(LAPIDOR_DESKTOP_FILE));
#endif
    QVERIFY(!QApplication::windowIcon().isNull());
    // A QIcon of a missing file is not null; only its pixmap tells that the embedded icon is there.
    QVERIFY(!QApplication::windowIcon().pixmap(QSize(32, 32)).isNull());
    QCOMPARE(QApplication::applicationVersion(), "1.00");
}

int main(int argc, char* argv[])
{
#ifndef Q_OS_WIN
    if (argc == 3 && std::strcmp(argv[1], "--hold-lock") == 0)
        return holdLock(argc, argv);
#endif
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    ShellTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shell.moc"
