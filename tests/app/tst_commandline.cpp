#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

// The built program, run as a process the way a user's shell runs it.
namespace {

// What one run of the program comes to.
enum class Outcome {
    Help,    // the usage summary on standard output, status 0
    Version, // the version on standard output, status 0
    Refused, // one line naming the argument and the advice on standard error, status 2
    Runs,    // the window opens and the program keeps running
    // Help or version that cannot be written: one line on standard error, status 1.
    OutputClosed, // standard output closed, as with >&-
    OutputFull,   // standard output a file that cannot grow, standing in for a full disk
};

constexpr int finishMilliseconds = 10'000;
// Long enough for a refusal, which comes before any window, to have ended the program.
constexpr int stillRunningMilliseconds = 2'000;

} // namespace

Q_DECLARE_METATYPE(Outcome)

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void commandLine_data();
    void commandLine();
    void readmeShowsTheHelp();

private:
    QProcessEnvironment environment(bool display) const;

    // Everything the program writes stays in here.
    QTemporaryDir configDir_;
    QTemporaryDir runtimeDir_;
    QTemporaryDir workDir_;
};

void CommandLineTest::initTestCase()
{
    QVERIFY(configDir_.isValid() && runtimeDir_.isValid() && workDir_.isValid());
    QVERIFY2(QFileInfo(QStringLiteral(LAPIDOR_BINARY)).isExecutable(), LAPIDOR_BINARY);
}

// With a display the program gets Qt's offscreen platform; without one it
// has no X11 or Wayland display and no platform named for it.
QProcessEnvironment CommandLineTest::environment(bool display) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    if (display)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configDir_.path());
    // Qt warns when it has none, which would mix with the program's own messages.
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir_.path());
    return environment;
}

void CommandLineTest::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("display");
    QTest::addColumn<Outcome>("outcome");
    // For a refusal: the line that names the argument; for output that cannot be written, the line.
    QTest::addColumn<QString>("refusal");

    // clang-format off
    QTest::newRow("--help") << QStringList{"--help"} << true << Outcome::Help << QString();
    QTest::newRow("-h") << QStringList{"-h"} << true << Outcome::Help << QString();
    QTest::newRow("-help, in Qt's single-dash style") << QStringList{"-help"} << true << Outcome::Help << QString();
    QTest::newRow("--version") << QStringList{"--version"} << true << Outcome::Version << QString();
    QTest::newRow("-v") << QStringList{"-v"} << true << Outcome::Version << QString();
    QTest::newRow("--help without a display") << QStringList{"--help"} << false << Outcome::Help << QString();
    QTest::newRow("-h without a display") << QStringList{"-h"} << false << Outcome::Help << QString();
    QTest::newRow("--version without a display") << QStringList{"--version"} << false << Outcome::Version << QString();
    QTest::newRow("-v without a display") << QStringList{"-v"} << false << Outcome::Version << QString();
    QTest::newRow("the first of --version and --help is answered") << QStringList{"--version", "--help"} << false << Outcome::Version << QString();
    QTest::newRow("--help after an unknown option") << QStringList{"--bogus", "--help"} << false << Outcome::Help << QString();
    QTest::newRow("--version after Qt's -platform and its value") << QStringList{"-platform", "offscreen", "--version"} << false << Outcome::Version << QString();
    QTest::newRow("--help with standard output closed") << QStringList{"--help"} << false << Outcome::OutputClosed << "lapidor: write error: Bad file descriptor";
    QTest::newRow("--version into a full file") << QStringList{"--version"} << false << Outcome::OutputFull << "lapidor: write error: File too large";
    // clang-format on

    // clang-format off
    QTest::newRow("unknown option") << QStringList{"--bogus"} << true << Outcome::Refused << "lapidor: unrecognized option '--bogus'";
    QTest::newRow("unknown option with a value") << QStringList{"--levels=mine.txt"} << true << Outcome::Refused << "lapidor: unrecognized option '--levels=mine.txt'";
    QTest::newRow("unknown single-dash word") << QStringList{"-bogus"} << true << Outcome::Refused << "lapidor: unrecognized option '-bogus'";
    QTest::newRow("-hv, one word, not -h -v") << QStringList{"-hv"} << true << Outcome::Refused << "lapidor: unrecognized option '-hv'";
    QTest::newRow("a file name") << QStringList{"levels.txt"} << true << Outcome::Refused << "lapidor: unexpected argument 'levels.txt'";
    QTest::newRow("--help after --, as a plain argument") << QStringList{"--", "--help"} << true << Outcome::Refused << "lapidor: unexpected argument '--help'";
    QTest::newRow("unknown option after Qt's own") << QStringList{"-platform", "offscreen", "--bogus"} << false << Outcome::Refused << "lapidor: unrecognized option '--bogus'";
    QTest::newRow("unknown option without a display") << QStringList{"--bogus"} << false << Outcome::Refused << "lapidor: unrecognized option '--bogus'";
    QTest::newRow("--help=1 is not --help") << QStringList{"--help=1"} << false << Outcome::Refused << "lapidor: option '--help' doesn't allow an argument";
    QTest::newRow("-version=2") << QStringList{"-version=2"} << false << Outcome::Refused << "lapidor: option '-version' doesn't allow an argument";
    QTest::newRow("-platform=offscreen, which Qt does not take") << QStringList{"-platform=offscreen"} << false << Outcome::Refused << "lapidor: unrecognized option '-platform=offscreen'";
    QTest::newRow("Qt's option without its value") << QStringList{"-style"} << false << Outcome::Refused << "lapidor: option '-style' requires an argument";
    QTest::newRow("xcb's option on another platform, left by Qt") << QStringList{"-display", ":0"} << true << Outcome::Refused << "lapidor: unrecognized option '-display'";
    QTest::newRow("a line break in an argument stays in its line") << QStringList{"x\nLapidor saved everything."} << false << Outcome::Refused << "lapidor: unexpected argument 'x\\x0aLapidor saved everything.'";
    QTest::newRow("escapes and a bell in an argument") << QStringList{"--\x1b]0;title\x07\u009b1m"} << false << Outcome::Refused << "lapidor: unrecognized option '--\\x1b]0;title\\x07\\xc2\\x9b1m'";
    // clang-format on

    // clang-format off
    QTest::newRow("no arguments") << QStringList{} << true << Outcome::Runs << QString();
    QTest::newRow("Qt's own options only") << QStringList{"-platform", "offscreen"} << false << Outcome::Runs << QString();
    QTest::newRow("Qt's -reverse, not -r -e -v") << QStringList{"-reverse"} << true << Outcome::Runs << QString();
    QTest::newRow("Qt's options with two dashes and with '='") << QStringList{"--platform", "offscreen", "--style=fusion", "-qwindowtitle", "--help"} << false << Outcome::Runs << QString();
    // clang-format on
}

void CommandLineTest::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, display);
    QFETCH(Outcome, outcome);
    QFETCH(QString, refusal);

    QProcess lapidor;
    lapidor.setProcessEnvironment(environment(display));
    lapidor.setWorkingDirectory(workDir_.path());
    if (outcome == Outcome::OutputFull) {
        lapidor.setStandardOutputFile(workDir_.filePath("output"));
        lapidor.setChildProcessModifier([] {
            ::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the program
            const rlimit fewBytes{8, 8};
            ::setrlimit(RLIMIT_FSIZE, &fewBytes);
        });
    } else if (outcome == Outcome::OutputClosed) {
        lapidor.setChildProcessModifier([] { ::close(STDOUT_FILENO); });
    }
    lapidor.start(QStringLiteral(LAPIDOR_BINARY), arguments);
    QVERIFY2(lapidor.waitForStarted(), qPrintable(lapidor.errorString()));

    if (outcome == Outcome::Runs) {
        const bool ended = lapidor.waitForFinished(stillRunningMilliseconds);
        const QByteArray output = lapidor.readAllStandardOutput();
        const QByteArray errors = lapidor.readAllStandardError();
        lapidor.kill();
        lapidor.waitForFinished(finishMilliseconds);
        QVERIFY2(!ended, errors.constData());
        QCOMPARE(output, QByteArray());
        return;
    }

    QVERIFY2(lapidor.waitForFinished(finishMilliseconds), "the program did not end by itself");
    const QString output = QString::fromUtf8(lapidor.readAllStandardOutput());
    const QString errors = QString::fromUtf8(lapidor.readAllStandardError());
    QCOMPARE(lapidor.exitStatus(), QProcess::NormalExit);

    switch (outcome) {
    case Outcome::Help:
        QCOMPARE(lapidor.exitCode(), 0);
        QCOMPARE(errors, QString());
        QVERIFY2(output.startsWith("Usage: lapidor [OPTION]...\n"), qPrintable(output));
        QVERIFY2(output.contains("  -h, --help ") && output.contains("  -v, --version "), qPrintable(output));
        QVERIFY2(output.endsWith('\n'), qPrintable(output));
        break;
    case Outcome::Version:
        QCOMPARE(lapidor.exitCode(), 0);
        QCOMPARE(errors, QString());
        QCOMPARE(output, QStringLiteral("Lapidor " LAPIDOR_VERSION "\n"));
        // The version as Lapidor shows it: two digits after the dot.
        QVERIFY2(QRegularExpression("^Lapidor [0-9]+\\.[0-9]{2}\\n$").match(output).hasMatch(), qPrintable(output));
        break;
    case Outcome::Refused:
        QCOMPARE(lapidor.exitCode(), 2);
        QCOMPARE(output, QString());
        QCOMPARE(errors, refusal + "\nTry 'lapidor --help' for more information.\n");
        break;
    case Outcome::OutputClosed:
    case Outcome::OutputFull:
        QCOMPARE(lapidor.exitCode(), 1);
        QCOMPARE(errors, refusal + "\n");
        break;
    case Outcome::Runs:
        break;
    }
}

// The README shows the help as a code block, line for line as the program prints it.
void CommandLineTest::readmeShowsTheHelp()
{
    QProcess lapidor;
    lapidor.setProcessEnvironment(environment(false));
    lapidor.setWorkingDirectory(workDir_.path());
    lapidor.start(QStringLiteral(LAPIDOR_BINARY), {QStringLiteral("--help")});
    QVERIFY(lapidor.waitForFinished(finishMilliseconds));
    QStringList block;
    for (const QString& line : QString::fromUtf8(lapidor.readAllStandardOutput()).split(u'\n'))
        block << (line.isEmpty() ? line : "    " + line);

    QFile readme(QStringLiteral(LAPIDOR_README));
    QVERIFY2(readme.open(QIODevice::ReadOnly), qPrintable(readme.errorString()));
    QVERIFY2(QString::fromUtf8(readme.readAll()).contains("\n\n" + block.join(u'\n')), qPrintable(block.join(u'\n')));
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
