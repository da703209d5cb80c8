#include "text/ExperienceFormat.h"

#include <charconv>
#include <cmath>

namespace lapidor {

std::string formatExperience(double value, std::string_view decimalSeparator)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));

    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text;
    for (const char* c = buffer; c != result.ptr; ++c) {
        if (*c == '.')
            text += decimalSeparator;
        else
            text += *c == 'e' ? 'E' : *c;
    }
    return text;
}

} // namespace lapidor
