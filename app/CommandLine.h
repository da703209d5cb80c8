#pragma once

#include <QCoreApplication>
#include <QString>

#include <optional>

namespace lapidor {

// The program's own command line, in the usual GNU style, beside Qt's own
// options. Everything is judged before any window system is touched, so
// that no argument can leave Qt to end the program first (as it does
// without a display): -h/--help and -v/--version are answered, wherever
// they stand, and any argument that is neither Lapidor's nor one of Qt's
// own options (with its value) is refused.
class CommandLine {
    Q_DECLARE_TR_FUNCTIONS(lapidor::CommandLine)

public:
    // The exit status of a refused argument, as GNU programs give it.
    static constexpr int usageErrorStatus = 2;
    // The exit status when the help or the version could not be written.
    static constexpr int writeErrorStatus = 1;

    // Before the application object exists. Prints the help or the version
    // to standard output when the arguments ask for either (the first of
    // them that they name), or names the first argument that is not taken,
    // with advice, on standard error; returns the exit status, or nothing
    // when the program is to start. outputWasClosed: standard output was
    // closed when the program started, so nothing printed there arrives.
    static std::optional<int> answer(int argc, char* argv[], bool outputWasClosed);

    // Once QApplication has taken Qt's own options out of argc and argv:
    // refuses the first argument left, as answer() does. Options of another
    // platform than the one in use (xcb's -display under offscreen) are left
    // by Qt, and refused here.
    static std::optional<int> refuseLeftoverArguments(int argc, char* argv[]);

private:
    static QString helpText();
    static QString versionText();
};

} // namespace lapidor
