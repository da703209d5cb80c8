#pragma once

#include <QCoreApplication>
#include <QStringList>

#include <optional>

namespace lapidor {

// The program's own command line, in the usual GNU style. -h/--help and
// -v/--version are answered first, wherever they stand, before any window
// system is touched; any argument that is left once QApplication has taken
// Qt's own options (-platform, -style and the like) is refused.
class CommandLine {
    Q_DECLARE_TR_FUNCTIONS(lapidor::CommandLine)

public:
    // The exit status of a refused argument, as GNU programs give it.
    static constexpr int usageErrorStatus = 2;

    // Prints the help or the version to standard output when the arguments
    // ask for either (the first of them that they name) and returns the exit
    // status, or nothing when they ask for neither. Needs no application object.
    static std::optional<int> answerInformationOptions(int argc, char* argv[]);

    // Names the first argument that is not taken, with advice, on standard
    // error and returns the exit status; returns nothing when all are taken.
    // For QApplication::arguments(), once Qt has taken its own options.
    static std::optional<int> refuseLeftoverArguments(const QStringList& arguments);

private:
    static QString helpText();
    static QString versionText();
};

} // namespace lapidor
