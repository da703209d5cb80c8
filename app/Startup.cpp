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

// The levels file in the working folder, read once, before the window
// appears. The largest file takes a good part of the window's own making,
// so it is read on a thread of its own meanwhile; where no thread can be
// had, it is read when it is asked for.
std::future<LoadedLevels> startLoadingLevels()
{
    const auto path = QString::fromUtf8(levelsFileName.data(), qsizetype(levelsFileName.size()));
    try {
        return std::async(std::launch::async, [path] { return loadLevels(path); });
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, [path] { return loadLevels(path); });
    }
}

} // namespace

void Startup::start()
{
    auto loading = startLoadingLevels();
    mainWindow_ = std::make_unique<MainWindow>();
    QObject::connect(mainWindow_.get(), &MainWindow::closing, mainWindow_.get(),
                     [window = mainWindow_.get()] { closingStep(*window); });
    auto loaded = loading.get();
    mainWindow_->setLevels(std::move(loaded.levels), loaded.warningText);
    mainWindow_->show();
#ifndef Q_OS_WIN
    terminationSignals_ = std::make_unique<TerminationSignals>(*mainWindow_);
#endif
}

} // namespace lapidor
