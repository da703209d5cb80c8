#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The built program, run as a process the way a user's shell runs it.
namespace {

// What one run of the program comes to.
enum class Outcome {
    Help,    // the usage summary on standard output, status 0
    Version, // the version on standard output, status 0
    Refused, // one line naming the argument and the advice on standard error, status 2
    Runs,    // the window opens and the program keeps running
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
    // For a refusal: the line that names the argument.
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
    // clang-format on

    // clang-format off
    QTest::newRow("unknown option") << QStringList{"--bogus"} << true << Outcome::Refused << "lapidor: unrecognized option '--bogus'";
    QTest::newRow("unknown option with a value") << QStringList{"--levels=mine.txt"} << true << Outcome::Refused << "lapidor: unrecognized option '--levels=mine.txt'";
    QTest::newRow("unknown single-dash word") << QStringList{"-bogus"} << true << Outcome::Refused << "lapidor: unrecognized option '-bogus'";
    QTest::newRow("-hv, one word, not -h -v") << QStringList{"-hv"} << true << Outcome::Refused << "lapidor: unrecognized option '-hv'";
    QTest::newRow("a file name") << QStringList{"levels.txt"} << true << Outcome::Refused << "lapidor: unexpected argument 'levels.txt'";
    QTest::newRow("--help after --, as a plain argument") << QStringList{"--", "--help"} << true << Outcome::Refused << "lapidor: unexpected argument '--help'";
    QTest::newRow("unknown option after Qt's own") << QStringList{"-platform", "offscreen", "--bogus"} << false << Outcome::Refused << "lapidor: unrecognized option '--bogus'";
    // clang-format on

    // clang-format off
    QTest::newRow("no arguments") << QStringList{} << true << Outcome::Runs << QString();
    QTest::newRow("Qt's own options only") << QStringList{"-platform", "offscreen"} << false << Outcome::Runs << QString();
    QTest::newRow("Qt's -reverse, not -r -e -v") << QStringList{"-reverse"} << true << Outcome::Runs << QString();
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
