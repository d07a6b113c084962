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

// The rows, then those of the case table `name`, as data rows named after their first field;
// given `only`, just the rows whose first field it is, without it (there must be some).
inline void addCases(const QString& name, QList<QStringList> rows = {}, const QString& only = {})
{
    QTest::addColumn<QStringList>("f");
    int added = 0;
    for (const QStringList& row : rows + table("cases/" + name))
        if ((only.isEmpty() || row[0] == only) && ++added)
            QTest::newRow(qPrintable(row[!only.isEmpty()].left(60))) << row.mid(!only.isEmpty());
    QVERIFY2(added > 0, qPrintable("no case for " + only));
}
