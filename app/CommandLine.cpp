#include "app/CommandLine.h"

#include "app/Translations.h"
#include "ui/Credits.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>

namespace lapidor {

namespace {

// The name the program is installed under, which its messages give.
const QString programName = QStringLiteral("lapidor");

QCommandLineOption helpOption()
{
    return QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
}

QCommandLineOption versionOption()
{
    return QCommandLineOption(QStringList{QStringLiteral("v"), QStringLiteral("version")});
}

// Only parse() is used: process() would exit with status 1 and answer
// options of its own. Qt's options are single-dash words (-platform,
// -reverse), so a single dash starts a word here too, never a cluster of
// letters: "-reverse" must not read as -r -e -v.
bool parse(QCommandLineParser& parser, const QStringList& arguments)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(helpOption());
    parser.addOption(versionOption());
    return parser.parse(arguments);
}

// The option as the user typed it, for the parser's name of it.
QString typedOption(const QStringList& arguments, const QString& name)
{
    for (const QString& argument : arguments.sliced(1)) {
        if (argument == QLatin1String("--"))
            break;
        QStringView word(argument);
        if (!word.startsWith(u'-'))
            continue;
        word = word.sliced(word.startsWith(QLatin1String("--")) ? 2 : 1);
        if (word.left(word.indexOf(u'=')) == name)
            return argument;
    }
    return name;
}

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

std::optional<int> CommandLine::answerInformationOptions(int argc, char* argv[])
{
    QStringList arguments{programName};
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Qt's own options are still here and count as unknown; they are
    // judged once QApplication has taken them.
    QCommandLineParser parser;
    parse(parser, arguments);
    const QStringList found = parser.optionNames();
    if (found.isEmpty())
        return std::nullopt;
    if (!helpOption().names().contains(found.constFirst())) {
        print(stdout, versionText());
        return EXIT_SUCCESS;
    }
    // The help in the user's language: that needs an application object,
    // though not a window system.
    int coreArgc = 1;
    QCoreApplication core(coreArgc, argv);
    installTranslations(core);
    print(stdout, helpText());
    return EXIT_SUCCESS;
}

std::optional<int> CommandLine::refuseLeftoverArguments(const QStringList& arguments)
{
    if (arguments.size() < 2)
        return std::nullopt;
    QCommandLineParser parser;
    if (parse(parser, arguments) && parser.positionalArguments().isEmpty())
        return std::nullopt;
    // Options before arguments, as getopt reports them; in English, as
    // every line on stderr.
    const QStringList unknown = parser.unknownOptionNames();
    const QString problem = unknown.isEmpty()
        ? QStringLiteral("%1: unexpected argument '%2'").arg(programName, parser.positionalArguments().value(0))
        : QStringLiteral("%1: unrecognized option '%2'").arg(programName, typedOption(arguments, unknown.constFirst()));
    print(stderr, problem + u'\n' + QStringLiteral("Try '%1 --help' for more information.").arg(programName) + u'\n');
    return usageErrorStatus;
}

QString CommandLine::helpText()
{
    return tr("Usage: %1 [OPTION]...").arg(programName) + u'\n'
        + tr("Work out the experience your Varnhollow gems bring: type how many gems\n"
             "of each kind you hold and your current level or experience, and press\n"
             "Calculate.")
        + QStringLiteral("\n\n")
        + tr("  -h, --help       show this help and exit\n"
             "  -v, --version    show the version and exit")
        + QStringLiteral("\n\n")
        + tr("Lapidor also takes Qt's own options, such as -platform NAME and -style NAME.\n"
             "It reads the level boundaries from levels.txt in the folder it is started\n"
             "from; the manual page lapidor(1) describes that file.")
        + QStringLiteral("\n\n") + tr("Web site: <%1>").arg(webSiteAddress) + u'\n';
}

QString CommandLine::versionText()
{
    // A name and a number, which no translation changes; the version comes from CMake's project().
    return QStringLiteral("Lapidor " LAPIDOR_VERSION "\n");
}

} // namespace lapidor
