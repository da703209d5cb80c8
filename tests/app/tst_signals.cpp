// Lapidor as a running program, told to end by a signal.
#include <QDir>
#include <QElapsedTimer>
#include <QLockFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <sys/inotify.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

const QStringList placementKeys = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

// When a second signal follows the first.
enum class Second {
    None,
    Together,    // both before the program runs on (sent while it is stopped)
    FiveMsApart, // 5 ms after the first
    // The first to the process, the second to its process group, as
    // timeout(1) sends them; 0.4 ms later with each run, so that the second
    // meets the first at every stage of its handling.
    ToProcessGroup,
    EarlyInClosing, // once the closing has begun, which a lock this test holds keeps waiting for a second
    LateInClosing,  // once the closing has run for more than a second (the program stopped meanwhile)
};

// A field of the process's status in /proc; empty once it has gone.
QByteArray status(qint64 pid, const QByteArray& field)
{
    QFile file(QStringLiteral("/proc/%1/status").arg(pid));
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray& line : file.readAll().split('\n'))
            if (line.startsWith(field + ':'))
                return line.mid(field.size() + 1).trimmed();
    return {};
}

bool catches(qint64 pid, int signal)
{
    return status(pid, "SigCgt").toULongLong(nullptr, 16) & (quint64(1) << (signal - 1));
}

bool isStopped(qint64 pid)
{
    return status(pid, "State").startsWith('T');
}

// Waits, without a fixed sleep, until a condition holds or time runs out.
template <typename Condition>
bool waitUntil(Condition condition, int milliseconds)
{
    QElapsedTimer waited;
    waited.start();
    while (!condition()) {
        if (waited.elapsed() > milliseconds)
            return false;
        QTest::qSleep(5);
    }
    return true;
}

// Whether anything in a folder has been opened since the watch began: in
// the settings folder, that the closing has begun to save.
class OpenedInFolder {
public:
    explicit OpenedInFolder(const QString& folder)
        : watch_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        ::inotify_add_watch(watch_, QFile::encodeName(folder).constData(), IN_OPEN);
    }
    ~OpenedInFolder() { ::close(watch_); }
    bool operator()() const
    {
        char events[4096];
        return ::read(watch_, events, sizeof events) > 0;
    }

private:
    int watch_;
};

} // namespace

Q_DECLARE_METATYPE(Second)

class SignalsTest : public QObject {
    Q_OBJECT

private slots:
    void signalClosesTheWindow_data();
    void signalClosesTheWindow();
};

void SignalsTest::signalClosesTheWindow_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<int>("second"); // 0: none
    QTest::addColumn<Second>("when");
    QTest::addColumn<QString>("setUp"); // how the program is started, if not plainly
    QTest::addColumn<int>("runs");      // a race needs many

    // clang-format off
    QTest::newRow("SIGTERM") << SIGTERM << 0 << Second::None << "" << 1;
    QTest::newRow("SIGINT") << SIGINT << 0 << Second::None << "" << 1;
    QTest::newRow("SIGHUP") << SIGHUP << 0 << Second::None << "" << 1;
    QTest::newRow("second SIGTERM early in the closing is the same request") << SIGTERM << SIGTERM << Second::EarlyInClosing << "" << 1;
    QTest::newRow("second SIGINT early in the closing is the same request") << SIGINT << SIGINT << Second::EarlyInClosing << "" << 1;
    QTest::newRow("second SIGTERM after a second of closing ends it") << SIGTERM << SIGTERM << Second::LateInClosing << "" << 1;
    QTest::newRow("SIGTERM and SIGHUP together, as a session ends") << SIGTERM << SIGHUP << Second::Together << "" << 1;
    QTest::newRow("two SIGTERMs 5 ms apart") << SIGTERM << SIGTERM << Second::FiveMsApart << "" << 12;
    QTest::newRow("SIGTERM to the process and to its group, as from timeout") << SIGTERM << SIGTERM << Second::ToProcessGroup << "" << 12;
    QTest::newRow("SIGHUP ignored from the start, as under nohup, stays ignored") << SIGTERM << 0 << Second::None << "nohup" << 1;
    QTest::newRow("at a scale factor of 1000") << SIGTERM << 0 << Second::None << "QT_SCALE_FACTOR=1000" << 1;
    QTest::newRow("a window of 99999999 by 99999999") << SIGTERM << 0 << Second::None << "-qwindowgeometry 99999999x99999999" << 1;
    QTest::newRow("control characters in the settings folder's name stay in one line") << SIGTERM << 0 << Second::None << "folder named with controls" << 1;
    QTest::newRow("stderr a broken pipe") << SIGTERM << 0 << Second::None << "broken stderr" << 1;
    QTest::newRow("standard streams closed") << SIGTERM << 0 << Second::None << "streams closed" << 1;
    // clang-format on
}

void SignalsTest::signalClosesTheWindow()
{
    QFETCH(int, signal);
    QFETCH(int, second);
    QFETCH(Second, when);
    QFETCH(QString, setUp);
    QFETCH(int, runs);
    const bool lockHeld = when == Second::EarlyInClosing || when == Second::LateInClosing;
    for (int run = 0; run < runs; ++run) {
        // Everything the program writes stays in here.
        QTemporaryDir config;
        QTemporaryDir work;
        QFile levels(work.filePath("levels.txt"));
        QVERIFY(levels.open(QIODevice::WriteOnly) && levels.write("[LEVEL=1 XP=0]\n[LEVEL=2 XP=1000]\n") > 0);
        levels.close();
        // A name that would print a second line, turn the text red and ring a bell.
        const QString configHome = setUp == "folder named with controls"
            ? config.filePath("x\nLapidor saved everything.\x1b[31m\a")
            : config.path();
        const QString settings = configHome + "/Lapidor/Lapidor.conf";
        QVERIFY(QDir().mkpath(setUp == "folder named with controls" ? settings : configHome + "/Lapidor"));

        // Held here, another process, the lock keeps the closing waiting for
        // a second: time for a second signal.
        QLockFile lock(settings + ".lock");
        if (lockHeld)
            QVERIFY(lock.tryLock(0));
        const OpenedInFolder savingBegun(configHome + "/Lapidor");

        QProcess lapidor;
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_CONFIG_HOME", configHome);
        environment.insert("HOME", config.filePath("home"));
        if (setUp.startsWith("QT_"))
            environment.insert(setUp.section('=', 0, 0), setUp.section('=', 1));
        // At absurd sizes the window's image cannot be had: under
        // AddressSanitizer too, the allocation fails as it does without it.
        if (setUp.startsWith("QT_") || setUp.startsWith('-'))
            environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":allocator_may_return_null=1");
        lapidor.setProcessEnvironment(environment);
        lapidor.setWorkingDirectory(work.path());
        lapidor.setChildProcessModifier([setUp, when] {
            if (setUp == "nohup")
                ::signal(SIGHUP, SIG_IGN);
            if (when == Second::ToProcessGroup)
                ::setpgid(0, 0);
            int brokenPipe[2];
            if (setUp == "broken stderr" && ::pipe(brokenPipe) == 0) {
                ::dup2(brokenPipe[1], STDERR_FILENO);
                ::close(brokenPipe[0]);
                ::close(brokenPipe[1]);
            }
            if (setUp == "streams closed")
                for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
                    ::close(stream);
        });
        lapidor.start(LAPIDOR_PROGRAM, setUp.startsWith('-') ? setUp.split(' ') : QStringList());
        QVERIFY(lapidor.waitForStarted());
        const qint64 pid = lapidor.processId();
        const int ignored = setUp == "nohup" ? SIGHUP : 0;
        // Ready once its window is shown and it catches the three signals
        // (but one ignored from the start).
        const auto ready = [&] {
            for (const int closing : {SIGTERM, SIGINT, SIGHUP})
                if (catches(pid, closing) != (closing != ignored))
                    return false;
            return true;
        };
        const auto ended = [&] {
            const QByteArray state = status(pid, "State");
            return state.isEmpty() || state.startsWith('Z');
        };
        QVERIFY(waitUntil([&] { return ready() || ended(); }, 60'000));
        QVERIFY2(ready(), lapidor.readAllStandardError().constData());
        if (ignored != 0) {
            QCOMPARE(::kill(pid_t(pid), ignored), 0);
            QVERIFY(!lapidor.waitForFinished(500));
        }
        if (setUp == "streams closed") {
            // Nothing else, none of Qt's files above all, took their numbers.
            for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
                QCOMPARE(QFile::symLinkTarget(QStringLiteral("/proc/%1/fd/%2").arg(pid).arg(stream)), "/dev/null");
        }

        if (when == Second::Together) {
            QCOMPARE(::kill(pid_t(pid), SIGSTOP), 0);
            QVERIFY(waitUntil([&] { return isStopped(pid); }, 30'000));
        }
        QCOMPARE(::kill(pid_t(pid), signal), 0);
        switch (when) {
        case Second::None:
            break;
        case Second::Together:
            QCOMPARE(::kill(pid_t(pid), second), 0);
            QCOMPARE(::kill(pid_t(pid), SIGCONT), 0);
            break;
        case Second::FiveMsApart:
            QTest::qSleep(5);
            QCOMPARE(::kill(pid_t(pid), second), 0);
            break;
        case Second::ToProcessGroup:
            QThread::usleep(run * 400);
            QCOMPARE(::kill(-pid_t(pid), second), 0);
            break;
        case Second::EarlyInClosing:
            QVERIFY(waitUntil(savingBegun, 30'000));
            QCOMPARE(::kill(pid_t(pid), second), 0);
            break;
        case Second::LateInClosing:
            QVERIFY(waitUntil(savingBegun, 30'000));
            QCOMPARE(::kill(pid_t(pid), SIGSTOP), 0);
            QVERIFY(waitUntil([&] { return isStopped(pid); }, 30'000));
            QTest::qSleep(1100);
            QCOMPARE(::kill(pid_t(pid), second), 0);
            QCOMPARE(::kill(pid_t(pid), SIGCONT), 0);
            break;
        }
        QVERIFY(lapidor.waitForFinished(60'000));
        const QByteArray errors = lapidor.readAllStandardError();

        if (when == Second::LateInClosing) {
            // Ended by the signal itself, before the lock wait was over, so
            // the save never got to tell of the lock.
            QCOMPARE(lapidor.exitStatus(), QProcess::CrashExit);
            QCOMPARE(lapidor.exitCode(), second);
            QVERIFY2(!errors.contains("did not save"), errors.constData());
            continue;
        }
        QVERIFY2(lapidor.exitStatus() == QProcess::NormalExit && lapidor.exitCode() == 0,
                 qPrintable(QStringLiteral("run %1: status %2").arg(run).arg(lapidor.exitCode())));
        if (setUp == "folder named with controls") {
            QVERIFY2(errors.contains("/x\\x0aLapidor saved everything.\\x1b[31m\\x07/Lapidor/Lapidor.conf: ")
                         && !errors.contains("\nLapidor saved") && !errors.contains('\x1b') && !errors.contains('\a'),
                     errors.constData());
            continue;
        }
        if (lockHeld) {
            QVERIFY2(errors.count("did not save") == 1, errors.constData());
            continue;
        }
        QVERIFY2(!errors.contains("did not save"), errors.constData());
        QSettings saved(settings, QSettings::IniFormat);
        for (const auto& key : placementKeys) {
            bool isNumber = false;
            saved.value("Settings/" + key).toString().toDouble(&isNumber);
            QVERIFY2(isNumber, qPrintable(QStringLiteral("run %1: %2").arg(run).arg(key)));
        }
    }
}

QTEST_GUILESS_MAIN(SignalsTest)
#include "tst_signals.moc"
