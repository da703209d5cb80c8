#include "app/CommandLine.h"

#include "app/ErrorLine.h"
#include "app/Translations.h"
#include "ui/Credits.h"

#ifndef Q_OS_WIN
#include "files/PosixFile.h"
#endif

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace lapidor {

namespace {

// The name the program is installed under, which its messages give.
constexpr std::string_view programName = "lapidor";

enum class Information { Help, Version };

std::optional<Information> informationOption(std::string_view name)
{
    if (name == "h" || name == "help")
        return Information::Help;
    if (name == "v" || name == "version")
        return Information::Version;
    return std::nullopt;
}

// How one of Qt's options takes its value: not at all, as the next
// argument (even one that starts with a dash), or also joined by '='.
enum class Value { None, Next, NextOrJoined };

struct QtOption {
    std::string_view name;
    Value value;
};

// The options Qt 6.4 takes out of the arguments itself, each with one dash
// or two. xcb's own (from -geometry on) are taken only on that platform.
constexpr std::array qtOptions = {
    QtOption{"platform", Value::Next},        QtOption{"platformpluginpath", Value::Next},
    QtOption{"platformtheme", Value::Next},   QtOption{"plugin", Value::Next},
    QtOption{"qwindowgeometry", Value::Next}, QtOption{"qwindowtitle", Value::Next},
    QtOption{"qwindowicon", Value::Next},     QtOption{"reverse", Value::None},
    QtOption{"session", Value::Next},         QtOption{"testability", Value::None},
    QtOption{"style", Value::NextOrJoined},   QtOption{"stylesheet", Value::NextOrJoined},
    QtOption{"widgetcount", Value::None},     QtOption{"geometry", Value::Next},
    QtOption{"title", Value::Next},           QtOption{"icon", Value::Next},
    QtOption{"display", Value::Next},         QtOption{"name", Value::Next},
    QtOption{"visual", Value::Next},          QtOption{"nograb", Value::None},
    QtOption{"dograb", Value::None},
};

const QtOption* qtOption(std::string_view name)
{
    for (const QtOption& option : qtOptions)
        if (option.name == name)
            return &option;
    return nullptr;
}

struct Reading {
    std::optional<Information> information; // the first one asked for
    std::string refusal;                    // why the first argument not taken is refused; empty when all are
};

// A single dash starts a word, as in Qt's options, never a cluster of
// letters: "-reverse" is not -r -e -v. The arguments are read as the bytes
// they are, so that a refusal quotes them exactly.
Reading read(int argc, char* argv[], bool withQtOptions)
{
    Reading reading;
    const auto refuse = [&reading](const std::string& why) {
        if (reading.refusal.empty())
            reading.refusal = why;
    };
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
            refuse("unexpected argument '" + std::string(argument) + "'");
            continue;
        }
        const std::string_view word = argument.substr(argument.starts_with("--") ? 2 : 1);
        const std::string_view name = word.substr(0, word.find('='));
        const bool joinedValue = name.size() < word.size();
        const std::string typed(argument.substr(0, argument.size() - (word.size() - name.size())));
        if (const auto information = informationOption(name)) {
            if (joinedValue)
                refuse("option '" + typed + "' doesn't allow an argument");
            else if (!reading.information)
                reading.information = information;
            continue;
        }
        const QtOption* qt = withQtOptions ? qtOption(name) : nullptr;
        if (!qt || (joinedValue && qt->value != Value::NextOrJoined))
            refuse("unrecognized option '" + std::string(argument) + "'");
        else if (!joinedValue && qt->value != Value::None && ++i == argc) // the value taken
            refuse("option '" + typed + "' requires an argument");
    }
    return reading;
}

std::optional<int> refuse(const Reading& reading)
{
    if (reading.refusal.empty())
        return std::nullopt;
    // In English, as every line on stderr.
    writeErrorLine(std::string(programName) + ": " + reading.refusal);
    writeErrorLine("Try '" + std::string(programName) + " --help' for more information.");
    return CommandLine::usageErrorStatus;
}

std::string inEnglish(int error)
{
#ifdef Q_OS_WIN
    return std::strerror(error);
#else
    return systemProblem(error).words;
#endif
}

// Whatever keeps the text from arriving whole (a closed stream, a full
// disk, a reader that has gone) is said on stderr, and the exit status says
// it too, as GNU programs do.
int writeOut(const QByteArray& text, bool outputWasClosed)
{
    int error = outputWasClosed ? EBADF : 0;
    if (error == 0
        && (std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout) != std::size_t(text.size())
            || std::fflush(stdout) != 0))
        error = errno != 0 ? errno : EIO;
    if (error == 0)
        return EXIT_SUCCESS;
    writeErrorLine(std::string(programName) + ": write error: " + inEnglish(error));
    return CommandLine::writeErrorStatus;
}

} // namespace

std::optional<int> CommandLine::answer(int argc, char* argv[], bool outputWasClosed)
{
    const Reading reading = read(argc, argv, true);
    if (reading.information == Information::Version)
        return writeOut(versionText().toLocal8Bit(), outputWasClosed);
    if (reading.information == Information::Help) {
        // The help in the user's language: that needs an application object,
        // though not a window system.
        int coreArgc = 1;
        QCoreApplication core(coreArgc, argv);
        installTranslations(core);
        return writeOut(helpText().toLocal8Bit(), outputWasClosed);
    }
    return refuse(reading);
}

std::optional<int> CommandLine::refuseLeftoverArguments(int argc, char* argv[])
{
    return refuse(read(argc, argv, false));
}

QString CommandLine::helpText()
{
    return tr("Usage: %1 [OPTION]...").arg(QLatin1String(programName.data(), qsizetype(programName.size()))) + u'\n'
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
