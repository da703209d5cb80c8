// How long reading a levels file and one calculation take, on the largest
// table a level lookup is meant for.
#include "Calculation.h"
#include "LevelsReader.h"

#include <benchmark/benchmark.h>

using namespace lapidor;

namespace {

std::string levelsText(int levels)
{
    std::string text;
    for (int i = 1; i <= levels; ++i)
        text += "[LEVEL=" + std::to_string(i) + " XP=" + std::to_string((i - 1) * 1000) + "]\r\n";
    return text;
}

void readLevelsFile(benchmark::State& state)
{
    const auto text = levelsText(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(readLevels(text));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}
BENCHMARK(readLevelsFile)->Arg(200)->Arg(32767);

void calculateReport(benchmark::State& state)
{
    const auto table = readLevels(levelsText(int(state.range(0))));
    CalculationInput input;
    input.Mode = StartMode::CurrentExperience;
    input.ExperienceText = "123456";
    input.CountTexts.fill("9999");
    for (auto _ : state)
        benchmark::DoNotOptimize(CalculateReport(table, input));
}
BENCHMARK(calculateReport)->Arg(200)->Arg(32767);

} // namespace
