// Build-time tool: turns the catalogue table into C++ source, so the program reads no file at
// run time and a malformed table fails the build instead of a conversion.
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail(int line, const std::string& why)
{
    std::cerr << "catalogue.tsv:" << line << ": " << why << '\n';
    std::exit(1);
}

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> out;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, '\t');)
        out.push_back(field);
    if (!line.empty() && line.back() == '\t')
        out.emplace_back();
    return out;
}

// Digits with an optional point and exponent, naming a finite number above zero: "inf", "nan",
// "0x1p3" or "1e999" would not compile to the factor the table means.
bool isPositiveDecimal(const std::string& text)
{
    static const std::regex decimal(R"([0-9]+(\.[0-9]*)?([eE][+-]?[0-9]+)?)");
    if (!std::regex_match(text, decimal))
        return false;
    const double value = std::strtod(text.c_str(), nullptr);
    return std::isfinite(value) && value > 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_catalogue TABLE OUTPUT\n";
        return 2;
    }
    std::ifstream table(argv[1]);
    if (!table)
        fail(0, "cannot be read");

    std::ostringstream rows;
    int lineNumber = 0;
    int expected = 1;
    for (std::string line; std::getline(table, line);) {
        ++lineNumber;
        if (line.empty() || line.front() == '#')
            continue;
        const auto row = fields(line);
        if (row.size() != 4 && row.size() != 5)
            fail(lineNumber, "expected number, formula, list entry, factor and maybe a note");
        if (row[0] != std::to_string(expected))
            fail(lineNumber, "rows must be numbered 1, 2, 3, ... without gaps");
        if (row[1].empty())
            fail(lineNumber, "empty formula");
        if (!isPositiveDecimal(row[3]))
            fail(lineNumber, "factor of row " + row[0] + " is not a positive finite decimal");
        const std::string& entry = row[2].empty() ? row[1] : row[2];
        // The factor is copied as written so the compiler rounds it to the nearest double.
        rows << "    {" << quoted(row[1]) << ", " << quoted(entry) << ", " << row[3] << ", "
             << quoted(row.size() == 5 ? row[4] : "") << "},\n";
        ++expected;
    }

    std::ofstream out(argv[2]);
    out << "// Generated from catalogue.tsv by make_catalogue; do not edit.\n"
        << "#include \"catalogue.h\"\n\n"
        << "namespace mensurio {\n\n"
        << "static_assert(kCatalogueSize == " << expected - 1 << ");\n\n"
        << "const std::array<CatalogueRow, kCatalogueSize> kCatalogue{{\n"
        << rows.str() << "}};\n\n"
        << "} // namespace mensurio\n";
    return out ? 0 : 1;
}
