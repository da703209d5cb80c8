// Reading a 32,767-line levels.txt into the table, against a bare getline
// loop over the same file, and one calculation on that table.
#include "calc/Calculation.h"
#include "levels/LevelsReader.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <unistd.h>

using namespace lapidor;

namespace {

constexpr int levels = 32767;

const std::filesystem::path& levelsFile()
{
    static const auto path = [] {
        const auto file
            = std::filesystem::temp_directory_path() / ("lapidor-bench-" + std::to_string(getpid()) + ".txt");
        std::ofstream out(file, std::ios::binary);
        for (int level = 1; level <= levels; ++level)
            out << "[LEVEL=" << level << " XP=" << (level - 1) * 1000LL << "]\r\n";
        return file;
    }();
    return path;
}

void readLevelsTxt(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(readLevelsFile(levelsFile()));
}
BENCHMARK(readLevelsTxt)->Unit(benchmark::kMillisecond);

// The least any reader of the file must do: read it line by line.
void getlineBaseline(benchmark::State& state)
{
    for (auto _ : state) {
        std::ifstream in(levelsFile(), std::ios::binary);
        std::string line;
        std::size_t lines = 0;
        while (std::getline(in, line, '\r'))
            ++lines;
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(getlineBaseline)->Unit(benchmark::kMillisecond);

void calculateReport(benchmark::State& state)
{
    const LevelLookup levels(readLevelsFile(levelsFile()).table);
    CalculationInput input;
    input.mode = StartMode::CurrentExperience;
    input.experienceText = "12345678";
    input.countTexts.fill("9999");
    for (auto _ : state)
        benchmark::DoNotOptimize(calculateReport(levels, input));
}
BENCHMARK(calculateReport)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Keep freed memory for reuse, so each iteration times the reading
    // itself rather than the kernel handing out fresh pages for the table's
    // 2 MB again; that first touch is part of the start-up benchmark.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(levelsFile());
    return 0;
}
