// The two readings of a number, the 16-bit reading and the report's
// experience text, on arbitrary text.
#include "tests/fuzz/Check.h"
#include "text/ExperienceFormat.h"
#include "text/Numbers.h"

#include <cmath>
#include <cstdint>

using namespace lapidor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const double leading = leadingNumber(text);
    FUZZ_CHECK(!std::isnan(leading));

    // A text that is wholly a number starts with that same number.
    const auto whole = wholeNumber(text);
    if (whole) {
        FUZZ_CHECK(!std::isnan(*whole));
        FUZZ_CHECK(*whole == leading);
    }

    const auto level = readInt16(text);
    if (level) {
        FUZZ_CHECK(whole);
        FUZZ_CHECK(std::fabs(*whole - *level) <= 0.5);
    }

    // The report's text for a value reads back as that value.
    if (std::isfinite(leading)) {
        const auto shown = formatExperience(leading, ".");
        const auto readBack = wholeNumber(shown);
        FUZZ_CHECK(readBack);
        FUZZ_CHECK(std::fabs(*readBack - leading) <= std::fabs(leading) * 1e-14);
        if (leading == std::trunc(leading) && std::fabs(leading) < 1e15)
            FUZZ_CHECK(shown.find_first_of(".E") == std::string::npos);
    }
    return 0;
}
