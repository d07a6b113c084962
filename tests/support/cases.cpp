#include "cases.h"

#include <QFile>
#include <QTest>

namespace mensurio::testing {

QList<QStringList> readCases(const char* name)
{
    QFile file(QStringLiteral(MENSURIO_TEST_DATA "/cases/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", name);
    QList<QStringList> cases;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith('#') || line.isEmpty())
            continue;
        QStringList fields;
        for (QByteArray field : line.split('\t')) {
            field.replace("\\t", "\t").replace("\\n", "\n");
            for (qsizetype at; (at = field.indexOf("\\x")) >= 0;)
                field.replace(at, 4, QByteArray::fromHex(field.mid(at + 2, 2)));
            fields << QString::fromUtf8(field);
        }
        cases << fields;
    }
    return cases;
}

void addCases(const char* name, std::initializer_list<const char*> columns)
{
    for (const char* column : columns)
        QTest::addColumn<QString>(column);
    int line = 0;
    for (const QStringList& fields : readCases(name)) {
        QTestData& row = QTest::addRow("%d: %s", ++line, qPrintable(fields.first()));
        for (int i = 0; i < int(columns.size()); ++i)
            row << fields.value(i);
    }
}

QStringList expectedBoxes(const QString& boxes)
{
    QStringList expected = boxes.split(';');
    for (QString& box : expected)
        box = box == "E"   ? "M:Enter a value.@Calvero1"
              : box == "X" ? "X:Overflow: the result is too large to show.@Calvero1"
                           : box;
    return expected;
}

} // namespace mensurio::testing
