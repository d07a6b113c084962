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

// The rows, then those of a case table, as data rows named after their first field; given only,
// just the rows whose first field it is, without it (there must be some).
inline void addCases(const char* name, QList<QStringList> rows = {}, const QString& only = {})
{
    QTest::addColumn<QStringList>("f");
    rows += table(QStringLiteral("cases/") + name);
    if (!only.isEmpty()) {
        rows.removeIf([&](const QStringList& row) { return row[0] != only; });
        QVERIFY2(!rows.isEmpty(), qPrintable("no case for " + only));
        for (QStringList& row : rows)
            row.removeFirst();
    }
    for (const QStringList& row : rows)
        QTest::newRow(qPrintable(row.first().left(60))) << row;
}
