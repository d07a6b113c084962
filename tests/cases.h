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

// Data rows from `rows` and cases/NAME, each named by its first field.
inline void addCases(const QString& name, QList<QStringList> rows = {})
{
    QTest::addColumn<QStringList>("f");
    rows += table("cases/" + name);
    QVERIFY2(!rows.isEmpty(), qPrintable("no case in " + name));
    for (const QStringList& row : rows)
        QTest::newRow(qPrintable(row[0].left(60))) << row;
}
