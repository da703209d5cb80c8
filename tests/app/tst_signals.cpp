// Lapidor as a running program, told to end by a signal.
#include <QDir>
#include <QElapsedTimer>
#include <QLockFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/types.h>

namespace {

const QStringList placementKeys = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

// The signals a process catches, from its status in /proc.
quint64 caughtSignals(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return line.mid(7).trimmed().toULongLong(nullptr, 16);
    return 0;
}

bool isStopped(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    return status.open(QIODevice::ReadOnly) && status.readAll().contains("\nState:\tT");
}

bool catches(qint64 pid, int signal)
{
    return caughtSignals(pid) & (quint64(1) << (signal - 1));
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

} // namespace

class SignalsTest : public QObject {
    Q_OBJECT

private slots:
    void signalClosesTheWindow_data();
    void signalClosesTheWindow();
};

void SignalsTest::signalClosesTheWindow_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<int>("second");    // 0: none
    QTest::addColumn<bool>("together"); // both before the program runs on; otherwise the second while it closes
    QTest::addColumn<int>("ignored");   // a signal ignored when the program starts, as under nohup; 0: none

    // clang-format off
    QTest::newRow("SIGTERM") << SIGTERM << 0 << false << 0;
    QTest::newRow("SIGINT") << SIGINT << 0 << false << 0;
    QTest::newRow("SIGHUP") << SIGHUP << 0 << false << 0;
    QTest::newRow("second SIGTERM while closing") << SIGTERM << SIGTERM << false << 0;
    QTest::newRow("second SIGINT while closing") << SIGINT << SIGINT << false << 0;
    QTest::newRow("SIGTERM and SIGHUP together") << SIGTERM << SIGHUP << true << 0;
    QTest::newRow("SIGHUP ignored from the start, as under nohup, stays ignored") << SIGTERM << 0 << false << SIGHUP;
    // clang-format on
}

void SignalsTest::signalClosesTheWindow()
{
    QFETCH(int, signal);
    QFETCH(int, second);
    QFETCH(bool, together);
    QFETCH(int, ignored);
    // Everything the program writes stays in here.
    QTemporaryDir config;
    QTemporaryDir work;
    QFile levels(work.filePath("levels.txt"));
    QVERIFY(levels.open(QIODevice::WriteOnly) && levels.write("[LEVEL=1 XP=0]\n[LEVEL=2 XP=1000]\n") > 0);
    levels.close();
    const QString settings = config.filePath("Lapidor/Lapidor.conf");

    // Held here, another process, the lock keeps the closing waiting for a
    // second: time for a second signal.
    QLockFile lock(settings + ".lock");
    if (second != 0)
        QVERIFY(QDir().mkpath(config.filePath("Lapidor")) && lock.tryLock(0));

    QProcess lapidor;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", config.path());
    environment.insert("HOME", config.filePath("home"));
    lapidor.setProcessEnvironment(environment);
    lapidor.setWorkingDirectory(work.path());
    if (ignored != 0)
        lapidor.setChildProcessModifier([ignored] { ::signal(ignored, SIG_IGN); });
    lapidor.start(LAPIDOR_PROGRAM, {});
    QVERIFY(lapidor.waitForStarted());
    const qint64 pid = lapidor.processId();
    // Ready once its window is shown and it catches the three signals (but
    // one ignored from the start).
    const auto ready = [&] {
        for (const int closing : {SIGTERM, SIGINT, SIGHUP})
            if (catches(pid, closing) != (closing != ignored))
                return false;
        return true;
    };
    QVERIFY(waitUntil(ready, 60'000));
    if (ignored != 0) {
        QCOMPARE(::kill(pid_t(pid), ignored), 0);
        QVERIFY(!lapidor.waitForFinished(500));
    }

    if (together) {
        // Both reach the handler before the program can take either.
        QCOMPARE(::kill(pid_t(pid), SIGSTOP), 0);
        QVERIFY(waitUntil([&] { return isStopped(pid); }, 30'000));
        QCOMPARE(::kill(pid_t(pid), signal), 0);
        QCOMPARE(::kill(pid_t(pid), second), 0);
        QCOMPARE(::kill(pid_t(pid), SIGCONT), 0);
    } else {
        QCOMPARE(::kill(pid_t(pid), signal), 0);
    }
    if (second != 0 && !together) {
        // The closing has begun once the signals are no longer caught.
        QVERIFY(waitUntil([&] { return !catches(pid, signal); }, 30'000));
        QCOMPARE(::kill(pid_t(pid), second), 0);
    }
    QVERIFY(lapidor.waitForFinished(60'000));
    const QByteArray errors = lapidor.readAllStandardError();

    if (second != 0) {
        // Ended by a signal itself, before the lock wait was over, so the
        // save never got to tell of the lock.
        QCOMPARE(lapidor.exitStatus(), QProcess::CrashExit);
        QVERIFY2(lapidor.exitCode() == signal || lapidor.exitCode() == second,
                 qPrintable(QString::number(lapidor.exitCode())));
        QVERIFY2(!errors.contains("did not save"), errors.constData());
        return;
    }
    QCOMPARE(lapidor.exitStatus(), QProcess::NormalExit);
    QCOMPARE(lapidor.exitCode(), 0);
    QVERIFY2(!errors.contains("did not save"), errors.constData());
    QSettings saved(settings, QSettings::IniFormat);
    for (const auto& key : placementKeys) {
        bool isNumber = false;
        saved.value("Settings/" + key).toString().toDouble(&isNumber);
        QVERIFY2(isNumber, qPrintable(key));
    }
}

QTEST_GUILESS_MAIN(SignalsTest)
#include "tst_signals.moc"
