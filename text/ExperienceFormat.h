#pragma once

#include <string>
#include <string_view>

namespace lapidor {

// An experience value as the report shows it: a whole value below 10^15 as
// plain digits; anything else rounded to 15 significant digits with trailing
// zeros dropped, using the given decimal separator.
std::string formatExperience(double value, std::string_view decimalSeparator);

} // namespace lapidor
