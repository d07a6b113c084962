#include "cases.h"
#include "conversion/catalogue.h"
#include "platform/numbers.h"

#include <bit>

using namespace mensurio;

class CoreTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rowsByNumber_data() { addCases("catalogue_rows.tsv"); }
    void rowsByNumber()
    {
        QFETCH(QStringList, f); // number, formula, list entry, factor (the double nearest it), note
        const CatalogueRow* row = findRow(f[0].toFloat());
        QCOMPARE(
            row ? QStringList({QString::number(row - kCatalogue.data() + 1),
                               QString::fromUtf8(row->formula), QString::fromUtf8(row->listEntry),
                               QString::fromUtf8(row->note)})
                : QStringList({f[0], "-", "-", ""}),
            f.mid(0, 3) << f.value(4));
        QCOMPARE(row ? row->factor : 0, f.value(3).toDouble());
    }

    // The chosen texts; every naughty string, numeric only where blns_numeric.tsv says so; public
    // corpora of correctly rounded readings; pastes.
    void readsNumbers_data()
    {
        QHash<QString, QString> numeric;
        for (const QStringList& row : table("cases/blns_numeric.tsv"))
            numeric[row[0]] = row[1];
        QList<QStringList> rows;
        for (const QStringList& line : table("blns.txt", '\n'))
            rows << QStringList{line[0], numeric.value(line[0], "-")};
        for (const char* name : {"parse_sample.txt", "parse_sample_f64.txt"})
            for (const QStringList& line : table(name, ' ')) {
                const auto bits = line[line.size() - 2].toULongLong(nullptr, 16);
                rows << QStringList{line.last(),
                                    QString::number(std::bit_cast<double>(bits), 'g', 17)};
            }
        const QString ones(1 << 20, '1');
        rows << QStringList{ones, "-"} << QStringList{"." + ones, "0.1111111111111111"};
        addCases("numbers_read.tsv", rows);
    }
    void readsNumbers()
    {
        QFETCH(QStringList, f); // text, the double it reads as or "-", how that double shows
        const auto read = readNumber(f[0].toStdString());
        QCOMPARE(read.has_value(), f[1] != "-" && f[1] != "inf"); // inf: past the largest double
        if (read) // bit for bit, so the sign of zero counts
            QCOMPARE(std::bit_cast<quint64>(*read), std::bit_cast<quint64>(f[1].toDouble()));
        if (f.size() > 2) // a row that shows a number reads one
            QCOMPARE(read ? QString::fromStdString(formatNumber(*read)) : "-", f[2]);
    }
};

QTEST_GUILESS_MAIN(CoreTest)
#include "test_core.moc"
