// One Calculate click through the main window, on a 5-level and on a
// 32,767-level levels.txt, in one run: what the click costs should hardly
// depend on the size of the table, which is read once at start-up.
#include "app/LevelsLoading.h"
#include "ui/main/MainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>

using namespace lapidor;

namespace {

QTemporaryDir& scratch()
{
    static QTemporaryDir dir;
    return dir;
}

std::unique_ptr<MainWindow> windowWithLevels(int levels)
{
    const QString path = scratch().filePath(QStringLiteral("levels-%1.txt").arg(levels));
    std::ofstream out(path.toStdString(), std::ios::binary);
    for (int level = 1; level <= levels; ++level)
        out << "[LEVEL=" << level << " XP=" << (level - 1) * 1000LL << "]\r\n";
    out.close();
    auto window = std::make_unique<MainWindow>();
    {
        auto loaded = loadLevels(path);
        window->setLevels(std::move(loaded.levels), loaded.warningText);
    }
    window->show();
    return window;
}

void calculateClick(benchmark::State& state)
{
    const auto window = windowWithLevels(int(state.range(0)));
    // Experience mode, so that both the old and the new level are looked up.
    window->findChild<QAbstractButton*>(QStringLiteral("Option2"))->click();
    window->findChild<QLineEdit*>(QStringLiteral("Text25"))->setText(QStringLiteral("2500"));
    window->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("12"));
    auto* count = window->findChild<QLineEdit*>(QStringLiteral("Text1"));
    auto* calculate = window->findChild<QAbstractButton*>(QStringLiteral("Calculate"));
    // The level lists lay out their rows in batches after the window
    // appears; let them finish, as they do long before a first click.
    QElapsedTimer settling;
    settling.start();
    while (settling.elapsed() < 1000)
        QApplication::processEvents();
    int clicks = 0;
    for (auto _ : state) {
        // A count that changes from click to click, so that every click
        // writes new captions and the window repaints them.
        state.PauseTiming();
        count->setText(QString::number(10 + clicks++ % 2));
        QApplication::processEvents();
        state.ResumeTiming();
        calculate->click();
        QApplication::processEvents(); // the repaint is part of a click
    }
    state.SetLabel(window->findChild<QLabel*>(QStringLiteral("Label33"))->text().toStdString());
}
BENCHMARK(calculateClick)->Arg(5)->Arg(32767)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
