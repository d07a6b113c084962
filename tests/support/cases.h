#pragma once

#include <QList>
#include <QStringList>

#include <initializer_list>

namespace mensurio::testing {

// Reads a table of cases from tests/data/cases: a case a line, fields separated by tabs, '#'
// starting a comment line; \t, \n and \xHH in a field stand for those bytes (UTF-8).
QList<QStringList> readCases(const char* name);

// Adds each case of the table as a data row of QString columns, named after its line. The column
// names must be literals: QtTest keeps the pointers.
void addCases(const char* name, std::initializer_list<const char*> columns);

// The boxes of a conversion case, ';'-separated: I the input box, E "Enter a value.", X the
// overflow error, M:text@title a result; returned with E and X written out.
QStringList expectedBoxes(const QString& boxes);

} // namespace mensurio::testing
