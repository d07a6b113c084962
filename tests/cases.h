#pragma once

#include <QtTest>

// The rows of a file in tests/data split at `separator`, blank lines and '#' lines left out. In
// case tables (tab-separated), \t, \r and \n stand for a tab, a carriage return and a newline.
inline QList<QStringList> table(const QString& name, char separator = '\t')
{
    QFile file(QStringLiteral(TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(name));
    QList<QStringList> rows;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.isEmpty() && !line.startsWith('#'))
            for (QString& field : rows.emplace_back(QString::fromUtf8(line).split(separator)))
                if (separator == '\t')
                    field.replace("\\t", "\t").replace("\\r", "\r").replace("\\n", "\n");
    return rows;
}

// The rows, then those of a case table, as data rows named after their first field.
inline void addCases(const char* name, const QList<QStringList>& rows = {})
{
    QTest::addColumn<QStringList>("f");
    for (const QStringList& row : rows + table(QStringLiteral("cases/") + name))
        QTest::newRow(qPrintable(row.first().left(60))) << row;
}
