#pragma once

#include "conversion/flow.h"

#include <QStringList>
#include <QTest>

#include <array>
#include <string>

namespace mensurio::testing {

// A table of tests/data/cases: a case a line, fields separated by tabs, '#' starting a comment;
// \t, \n and \xHH in a field stand for those bytes (UTF-8).
QList<QStringList> readCases(const char* name);

// The table's cases as data rows named after their lines; a test takes one with fields<N>().
void addCases(const char* name);
template <std::size_t N> std::array<QString, N> fields()
{
    QFETCH(QStringList, fields);
    std::array<QString, N> named;
    for (std::size_t i = 0; i < N; ++i)
        named[i] = fields.value(qsizetype(i));
    return named;
}

// The lines of a file in tests/data.
QList<QByteArray> dataLines(const char* name);

// The boxes of a conversion case, ';'-separated: I the input box, E "Enter a value.", X the
// overflow error, M:text@title a result; returned with E and X written out.
QStringList expectedBoxes(const QString& boxes);

// The state a conversion case leaves, formula@factor@answer, from a flow or as a table writes it;
// equal states give equal texts.
QString state(const ConversionFlow& flow);
QString state(const QString& written);

// The numeric rules written once more, as a pattern, to check the reader against on texts that
// nobody chose for it.
bool followsNumericRules(const std::string& text);

// The resident memory in KiB; 0 under AddressSanitizer, which holds freed memory back on
// purpose (that build looks for leaks instead).
long residentKiB();

} // namespace mensurio::testing
