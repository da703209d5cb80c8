#pragma once

// Checks for table tests that need no test framework, so that they run
// under wine as well as here. A failed check names its row, what it looked
// at and what it found; the program fails at its end when any check failed,
// or when no row ran at all.

#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>

namespace lapidor::test {

inline int& failedChecks()
{
    static int count = 0;
    return count;
}

// Printable ASCII as it is, anything else as \x{...}, so that a path can
// be told apart from a look-alike in the message.
inline std::string shown(std::wstring_view text)
{
    std::string out = "\"";
    for (const wchar_t c : text) {
        if (c >= 0x20 && c < 0x7f) {
            out += char(c);
        } else {
            char escaped[16];
            std::snprintf(escaped, sizeof escaped, "\\x{%lx}", static_cast<unsigned long>(c));
            out += escaped;
        }
    }
    return out + "\"";
}

template <typename Value>
std::string shown(const Value& value)
{
    if constexpr (std::is_convertible_v<const Value&, std::wstring_view>)
        return shown(std::wstring_view(value));
    else if constexpr (std::is_enum_v<Value>)
        return std::to_string(static_cast<long long>(value));
    else
        return std::to_string(value);
}

template <typename Found, typename Expected>
void checkEqual(const char* row, const char* what, const Found& found, const Expected& expected, const char* file,
                int line)
{
    if (found == expected)
        return;
    ++failedChecks();
    std::fprintf(stderr, "%s:%d: %s: %s is %s, not %s\n", file, line, row, what, shown(found).c_str(),
                 shown(expected).c_str());
}

// The program's exit status.
inline int finish(int rows)
{
    std::printf("%d rows, %d failed checks\n", rows, failedChecks());
    return rows > 0 && failedChecks() == 0 ? 0 : 1;
}

} // namespace lapidor::test

#define CHECK_EQUAL(row, found, expected) lapidor::test::checkEqual(row, #found, found, expected, __FILE__, __LINE__)
