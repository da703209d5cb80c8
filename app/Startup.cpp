#include "app/Startup.h"

#include "app/ClosingStep.h"
#include "app/LevelsLoading.h"
#include "levels/LevelsReader.h"
#include "ui/main/MainWindow.h"

#include <future>
#include <system_error>

#ifndef Q_OS_WIN
#include "app/TerminationSignals.h"
#endif

namespace lapidor {

Startup::Startup() = default;
Startup::~Startup() = default;

namespace {

QString levelsPath()
{
    return QString::fromUtf8(levelsFileName.data(), qsizetype(levelsFileName.size()));
}

// The levels file in the working folder, read once, before the window
// appears. The largest file takes a good part of the window's own making,
// so it is read on a thread of its own meanwhile; where no thread can be
// had, it is read when it is asked for. What the player hears about it is
// worded here, in the window's thread.
std::future<ReadLevels> startReadingLevels()
{
    try {
        return std::async(std::launch::async, [path = levelsPath()] { return readLevels(path); });
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, [path = levelsPath()] { return readLevels(path); });
    }
}

} // namespace

void Startup::start()
{
    auto reading = startReadingLevels();
    mainWindow_ = std::make_unique<MainWindow>();
    QObject::connect(mainWindow_.get(), &MainWindow::closing, mainWindow_.get(),
                     [window = mainWindow_.get()] { closingStep(*window); });
    auto loaded = toldAbout(reading.get(), levelsPath());
    mainWindow_->setLevels(std::move(loaded.levels), loaded.warningText);
    mainWindow_->show();
#ifndef Q_OS_WIN
    terminationSignals_ = std::make_unique<TerminationSignals>(*mainWindow_);
#endif
}

} // namespace lapidor
