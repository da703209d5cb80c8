// The calculation with arbitrary entered texts and an arbitrary levels file.
//
// Input: lines separated by LF. Line 1 picks the start mode by its first
// byte, line 2 is the level text, line 3 the experience text, lines 4 to 27
// the 24 counts; everything after is the levels file.
#include "calc/Calculation.h"
#include "calc/GemCatalogue.h"
#include "levels/LevelsReader.h"
#include "tests/fuzz/Check.h"
#include "text/Numbers.h"

#include <cmath>
#include <cstdint>

using namespace lapidor;

namespace {

// Takes the text up to the next LF off the front of the input.
std::string_view nextLine(std::string_view& input)
{
    const auto end = input.find('\n');
    const auto line = input.substr(0, end);
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    return line;
}

// The level scan picks the first row of the largest threshold t with
// 0 < t <= x, or row 0 when there is none.
void checkLevelScan(const LevelLookup& levels, double x)
{
    const auto& table = levels.table();
    const auto chosen = levels.findLevelIndex(x);
    const double threshold = leadingNumber(table.threshold(chosen));
    const bool taken = threshold > 0 && threshold <= x;
    FUZZ_CHECK(taken || chosen == 0);
    const double best = taken ? threshold : 0.0;
    for (std::ptrdiff_t row = 0; row < std::ptrdiff_t(table.thresholdCount()); ++row) {
        const double t = leadingNumber(table.threshold(row));
        FUZZ_CHECK(!(t > best && t <= x));
        FUZZ_CHECK(!(taken && row < chosen && t == best));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    CalculationInput calculation;
    const auto mode = nextLine(input);
    if (!mode.empty() && mode[0] % 3 == 1)
        calculation.mode = StartMode::CurrentLevel;
    else if (!mode.empty() && mode[0] % 3 == 2)
        calculation.mode = StartMode::CurrentExperience;
    calculation.levelText = nextLine(input);
    calculation.experienceText = nextLine(input);
    for (auto& count : calculation.countTexts)
        count = nextLine(input);
    const LevelLookup levels(readLevels(std::string(input)).table);

    const auto result = calculateReport(levels, calculation);
    FUZZ_CHECK(result.report.has_value() != result.failure.has_value());
    if (const auto x = wholeNumber(calculation.experienceText); x && std::isfinite(*x))
        checkLevelScan(levels, *x);
    if (!result.report)
        return 0;

    // The gem sums are the sums of the counts.
    std::int64_t gems = 0, rough = 0, finelyCut = 0;
    for (std::size_t i = 0; i < gemCatalogue.size(); ++i) {
        const auto count = readInt16(calculation.countTexts[i]);
        FUZZ_CHECK(count);
        gems += *count;
        (gemCatalogue[i].state == GemState::Rough ? rough : finelyCut)
            += std::int64_t{*count} * gemCatalogue[i].xpPerGem;
    }
    const auto& report = *result.report;
    FUZZ_CHECK(report.totalGems == std::to_string(gems));
    FUZZ_CHECK(report.totalXpFromRoughs == std::to_string(rough));
    FUZZ_CHECK(report.totalXpFromFinelyCuts == std::to_string(finelyCut));
    FUZZ_CHECK(report.totalXp == std::to_string(rough + finelyCut));
    return 0;
}
