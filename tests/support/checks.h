#pragma once

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <locale.h>
#include <regex>
#include <stdlib.h>
#include <string>

namespace mensurio::testing {

// The numeric rules written once more, as a pattern, to check the reader against on texts that
// nobody chose for it: blanks, sign, digits grouped in threes or not, one point, an exponent,
// at least one digit before the exponent, and no overflow.
inline bool followsNumericRules(const std::string& text)
{
    static const std::regex rules(
        R"([ \t]*[+-]?([0-9]{1,3}(,[0-9]{3})+|[0-9]*)(\.[0-9]*)?([eE][+-]?[0-9]+)?[ \t]*)");
    static const std::regex hasMantissaDigit(R"([ \t]*[+-]?[0-9,]*\.?[0-9].*)");
    if (!std::regex_match(text, rules) || !std::regex_match(text, hasMantissaDigit))
        return false;
    std::string plain = text;
    std::erase(plain, ',');
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{}); // whatever the user's
    return std::isfinite(strtod_l(plain.c_str(), nullptr, c));
}

// Under AddressSanitizer freed memory is held back on purpose, so the resident size says
// nothing there; that build looks for leaks with LeakSanitizer instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMeasureMemory = false;
#else
constexpr bool kMeasureMemory = true;
#endif

inline long residentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

} // namespace mensurio::testing
