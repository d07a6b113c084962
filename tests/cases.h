#pragma once

#include <QtTest>

// The rows of tests/data/NAME split at `separator`, but blank and '#' lines; \t, \r, \n escaped.
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

// Data rows from `rows` and cases/NAME, named by field 1; with `only`, rows whose field 1 it is.
inline void addCases(const QString& name, QList<QStringList> rows = {}, const QString& only = {})
{
    QTest::addColumn<QStringList>("f");
    int added = 0;
    for (const QStringList& row : rows + table("cases/" + name))
        if ((only.isEmpty() || row[0] == only) && ++added)
            QTest::newRow(qPrintable(row[!only.isEmpty()].left(60))) << row.mid(!only.isEmpty());
    QVERIFY2(added > 0, qPrintable("no case for " + only));
}
