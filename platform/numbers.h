#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mensurio {

// Reads a numeric text as typed by a user in the English (United States) locale: blanks around
// it, an optional sign, digits with at most one '.', commas only where they group the integer
// part in threes, an optional exponent. Returns the nearest double, or nothing when the text is
// not numeric or its magnitude does not fit a double. The numeric test and the reading are one
// function so that they can never disagree.
std::optional<double> readNumber(std::string_view text);

// The text form of a double in a result: at most 15 significant digits, no trailing zeros,
// plain notation for decimal exponents -4 to 14, else scientific ("6.624E-27", "3.6E+15").
std::string formatNumber(double value);

} // namespace mensurio
