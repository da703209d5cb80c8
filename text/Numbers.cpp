#include "text/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace lapidor {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool isLeadingNumberSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}
bool isExponentLetter(char c)
{
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// Far beyond any exponent that matters for a double, yet safe to add to a
// digit count without overflowing.
constexpr long long exponentLimit = 1'000'000'000;

struct DecimalParts {
    bool negative = false;
    std::string integerDigits;
    std::string fractionDigits;
    long long exponent = 0;

    bool hasDigits() const { return !integerDigits.empty() || !fractionDigits.empty(); }
};

// Walks a text one character at a time, passing over the characters that
// the reading in hand ignores.
template <typename Ignored>
class Cursor {
public:
    Cursor(std::string_view text, std::size_t start, Ignored ignored)
        : text_(text)
        , pos_(start)
        , ignored_(ignored)
    {
        skipIgnored();
    }

    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    std::size_t position() const { return pos_; }
    void setPosition(std::size_t pos) { pos_ = pos; }

    void advance()
    {
        ++pos_;
        skipIgnored();
    }

    bool take(char c)
    {
        if (peek() != c)
            return false;
        advance();
        return true;
    }

private:
    void skipIgnored()
    {
        while (!atEnd() && ignored_(text_[pos_]))
            ++pos_;
    }

    std::string_view text_;
    std::size_t pos_;
    Ignored ignored_;
};

template <typename Ignored>
void takeDigits(Cursor<Ignored>& cursor, std::string& digits)
{
    while (isDigit(cursor.peek())) {
        digits += cursor.peek();
        cursor.advance();
    }
}

// An exponent counts only with at least one digit; otherwise the letter is
// left where it stands.
template <typename Ignored>
void takeExponent(Cursor<Ignored>& cursor, DecimalParts& parts)
{
    if (!isExponentLetter(cursor.peek()))
        return;
    const auto letterAt = cursor.position();
    cursor.advance();
    const bool negative = cursor.take('-');
    if (!negative)
        cursor.take('+');
    if (!isDigit(cursor.peek())) {
        cursor.setPosition(letterAt);
        return;
    }
    long long exponent = 0;
    while (isDigit(cursor.peek())) {
        exponent = std::min(exponentLimit, exponent * 10 + (cursor.peek() - '0'));
        cursor.advance();
    }
    parts.exponent = negative ? -exponent : exponent;
}

template <typename Ignored>
DecimalParts takeDecimal(Cursor<Ignored>& cursor)
{
    DecimalParts parts;
    if (cursor.take('-'))
        parts.negative = true;
    else
        cursor.take('+');
    takeDigits(cursor, parts.integerDigits);
    if (cursor.take('.'))
        takeDigits(cursor, parts.fractionDigits);
    if (parts.hasDigits())
        takeExponent(cursor, parts);
    return parts;
}

// Whether a value that a double cannot hold is too large rather than too small.
bool overflows(const DecimalParts& parts)
{
    const auto firstSignificant = parts.integerDigits.find_first_not_of('0');
    if (firstSignificant != std::string::npos) {
        const auto integerLength = static_cast<long long>(parts.integerDigits.size() - firstSignificant);
        return integerLength + parts.exponent > 0;
    }
    const auto leadingZeros = parts.fractionDigits.find_first_not_of('0');
    return leadingZeros != std::string::npos && parts.exponent - static_cast<long long>(leadingZeros) > 0;
}

double toDouble(const DecimalParts& parts)
{
    std::string text = parts.integerDigits.empty() ? "0" : parts.integerDigits;
    if (!parts.fractionDigits.empty())
        text += '.' + parts.fractionDigits;
    text += 'e' + std::to_string(parts.exponent);

    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range)
        value = overflows(parts) ? HUGE_VAL : 0.0;
    return parts.negative ? -value : value;
}

// Thresholds are nearly always a plain row of digits; read those directly.
// Fifteen digits or fewer are exact in a double.
std::optional<double> plainDigits(std::string_view text)
{
    if (text.empty() || text.size() > 15)
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + std::uint64_t(c - '0');
    }
    return double(value);
}

} // namespace

double leadingNumber(std::string_view text)
{
    if (const auto plain = plainDigits(text))
        return *plain;
    Cursor cursor(text, 0, isLeadingNumberSpace);
    const auto parts = takeDecimal(cursor);
    return parts.hasDigits() ? toDouble(parts) : 0.0;
}

std::optional<double> wholeNumber(std::string_view text)
{
    if (const auto plain = plainDigits(text))
        return plain;
    const auto start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos)
        return std::nullopt;
    Cursor cursor(text, start, [](char) { return false; });
    const auto parts = takeDecimal(cursor);
    if (!parts.hasDigits())
        return std::nullopt;
    for (; !cursor.atEnd(); cursor.advance())
        if (!isBlank(cursor.peek()))
            return std::nullopt;
    return toDouble(parts);
}

std::optional<std::int16_t> readInt16(std::string_view text)
{
    const auto value = wholeNumber(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value); // ties go to the even neighbour
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

} // namespace lapidor
