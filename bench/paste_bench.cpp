// A paste of 10 MB of digits into a gem field: the time and the growth of
// the process's peak memory from the clipboard holding the digits until the
// paste returns, which is as long as the window is frozen. Peak memory only
// ever grows, so each run is a process of its own: tools/bench starts
// several.
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>

#include <cstdio>
#include <sys/resource.h>

using namespace lapidor;

namespace {

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024; // kilobytes on Linux
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    QApplication::processEvents();
    auto* field = window.findChild<QLineEdit*>(QStringLiteral("Text1"));
    field->setFocus();
    field->selectAll();

    QApplication::clipboard()->setText(QString(10'000'000, u'7'));
    const double peakBefore = peakMegabytes();
    QElapsedTimer pasting;
    pasting.start();
    field->paste();
    const double milliseconds = double(pasting.nsecsElapsed()) / 1e6;
    const double peakGrowth = peakMegabytes() - peakBefore;

    std::printf("paste of 10 MB of digits into a gem field: %.2f ms, peak memory +%.1f MB, the field shows %s\n",
                milliseconds, peakGrowth, qPrintable(field->text()));
    return 0;
}
