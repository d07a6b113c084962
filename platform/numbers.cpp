#include "numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace mensurio {

namespace {

// Blanks around a number: spaces and tabs, the line break that ends a pasted spreadsheet cell,
// and the no-break spaces (UTF-8) that web pages and other programs put around numbers: U+00A0,
// the narrow U+202F and the figure space U+2007.
constexpr std::string_view kBlanks[] = {" ",        "\t",           "\r",          "\n",
                                        "\xC2\xA0", "\xE2\x80\xAF", "\xE2\x80\x87"};

// The length of the blank that text starts with, or with atEnd ends with; 0 where none.
std::size_t blankLength(std::string_view text, bool atEnd)
{
    for (std::string_view blank : kBlanks)
        if (atEnd ? text.ends_with(blank) : text.starts_with(blank))
            return blank.size();
    return 0;
}
constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Called only when the reading is out of range: tells an overflow from an underflow by the
// decimal exponent of the first significant digit, which is far from zero either way.
bool isOverflow(std::string_view mantissa, long long exponent)
{
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos)
        return false;
    const long long position = first < point
                                   ? static_cast<long long>(point - first) - 1
                                   : static_cast<long long>(point) - static_cast<long long>(first);
    return exponent + position > 0;
}

} // namespace

std::optional<double> readNumber(std::string_view text)
{
    std::string_view number = text;
    while (const std::size_t blank = blankLength(number, false))
        number.remove_prefix(blank);
    while (const std::size_t blank = blankLength(number, true))
        number.remove_suffix(blank);

    std::size_t i = 0;
    const std::size_t n = number.size();
    bool negative = false;
    if (i < n && (number[i] == '+' || number[i] == '-'))
        negative = number[i++] == '-';

    // The mantissa without group separators, as from_chars wants it.
    std::string mantissa;
    mantissa.reserve(n);
    std::size_t digits = 0;
    std::size_t group = 0;
    bool grouped = false;
    for (; i < n; ++i) {
        if (isDigit(number[i])) {
            mantissa += number[i];
            ++digits;
            ++group;
        } else if (number[i] == ',') {
            // en-US grouping: the first group has one to three digits and no leading zero, so
            // "0,001" (a decimal comma elsewhere) is refused rather than read a thousand times off.
            if (grouped ? group != 3 : (group == 0 || group > 3 || mantissa[0] == '0'))
                return std::nullopt;
            grouped = true;
            group = 0;
        } else {
            break;
        }
    }
    if (grouped && group != 3)
        return std::nullopt;
    if (i < n && number[i] == '.') {
        mantissa += number[i++];
        for (; i < n && isDigit(number[i]); ++i, ++digits)
            mantissa += number[i];
    }
    if (digits == 0)
        return std::nullopt;

    long long exponent = 0;
    const std::size_t exponentStart = mantissa.size();
    if (i < n && (number[i] == 'e' || number[i] == 'E')) {
        mantissa += number[i++];
        bool exponentNegative = false;
        if (i < n && (number[i] == '+' || number[i] == '-')) {
            exponentNegative = number[i] == '-';
            mantissa += number[i++];
        }
        const std::size_t exponentDigits = i;
        for (; i < n && isDigit(number[i]); ++i) {
            mantissa += number[i];
            if (exponent < 1'000'000'000) // saturate: far beyond any double either way
                exponent = exponent * 10 + (number[i] - '0');
        }
        if (i == exponentDigits)
            return std::nullopt;
        if (exponentNegative)
            exponent = -exponent;
    }
    if (i != n)
        return std::nullopt;

    double value = 0.0;
    const char* first = mantissa.data();
    const char* last = first + mantissa.size();
    const auto [stop, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range) {
        if (isOverflow(std::string_view(mantissa).substr(0, exponentStart), exponent))
            return std::nullopt;
        value = 0.0; // underflow: the nearest double is zero
    } else if (error != std::errc() || stop != last) {
        return std::nullopt;
    }
    if (!std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::string formatNumber(double value)
{
    if (value == 0.0)
        return "0"; // also for -0
    // Rounded to 15 digits, the largest doubles would show 1.79769313486232E+308, which no
    // longer reads back as a number; show the largest 15-digit text that does.
    constexpr double largestShown = 1.79769313486231e308;
    if (std::isfinite(value) && std::abs(value) > largestShown)
        value = std::copysign(largestShown, value);
    // The general format rounds once to 15 significant digits and drops trailing zeros; unlike
    // printf, it ignores the locale the toolkit sets.
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    std::string text(buffer, end);
    if (const std::size_t e = text.find('e'); e != std::string::npos)
        text[e] = 'E';
    return text;
}

} // namespace mensurio
