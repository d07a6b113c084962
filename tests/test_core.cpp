#include "cases.h"
#include "conversion/catalogue.h"
#include "platform/numbers.h"

#include <bit>
#include <charconv>
#include <cmath>

using namespace mensurio;

class CoreTest : public QObject {
    Q_OBJECT
    static QString text(std::string_view s) { return QString::fromUtf8(s.data(), s.size()); }

private Q_SLOTS:
    void rowsByNumber_data() { addCases("catalogue_rows.tsv"); }
    void rowsByNumber()
    {
        QFETCH(QStringList, f); // number, formula, list entry, factor (the double nearest it)
        const CatalogueRow* row = findRow(f[0].toFloat());
        QCOMPARE(row ? QStringList({QString::number(row - kCatalogue.data() + 1),
                                    text(row->formula), text(row->listEntry)})
                     : QStringList({f[0], "-", "-"}),
                 f.mid(0, 3));
        QCOMPARE(row ? row->factor : 0, f.value(3).toDouble());
    }

    // The chosen texts; every naughty string, numeric only where blns_numeric.tsv says so; public
    // corpora of correctly rounded readings (those overflowing to +inf are not numeric); pastes.
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
        QCOMPARE(read.has_value(), f[1] != "-" && f[1] != "inf");
        if (read) // bit for bit, so the sign of zero counts
            QCOMPARE(std::bit_cast<quint64>(*read), std::bit_cast<quint64>(f[1].toDouble()));
        if (f.size() > 2) // a row that shows a number reads one
            QCOMPARE(read ? QString::fromStdString(formatNumber(*read)) : "-", f[2]);
    }
    // Every factor against GNU units (Debian's units), an independent source asked once for all
    // rows: each (from)/(to) of catalogue_units.tsv, answered by a number or by units of another
    // kind.
    void factorsAgreeWithGnuUnits_data()
    {
        const QList<QStringList> rows = table("catalogue_units.tsv");
        QByteArray asked;
        for (const QStringList& row : rows)
            for (qsizetype i = 1; i + 1 < row.size(); i += 2)
                asked += ("(" + row[i] + ")/(" + row[i + 1] + ")\n\n").toUtf8();
        QProcess units;
        units.setEnvironment(QProcess::systemEnvironment() << "UNITS_ENGLISH=US"
                                                           << "LC_ALL=C");
        units.start("units", {"--terse", "--quiet", "--digits", "15"});
        units.write(asked);
        units.closeWriteChannel();
        const QStringList answers = units.waitForFinished() && units.exitCode() == 0
                                        ? QString(units.readAllStandardOutput()).split('\n')
                                        : QStringList();
        // One line an answer, else they no longer match the rows; a failure is one case.
        if (answers.size() != asked.count("\n\n") + 1 || rows.size() != kCatalogueSize)
            return addCases(nullptr, {{"GNU units did not answer, or a row is missing"}});
        QList<QStringList> cases;
        for (qsizetype i = 0, next = 0; i < rows.size(); ++i) {
            const QStringList row = rows[i];
            // position, today's factor, the reading's, the row whose note it repeats, the row
            cases << QStringList{QString::number(i + 1), answers[next++],
                                 row.size() > 3 ? answers[next++] : "", row.value(5, row[0]),
                                 row.join(" | ")};
        }
        addCases(nullptr, cases);
    }
    // A factor differs where it is off by more than one part in 10,000 and by more than half a
    // unit in its last significant digit, which is never more than 1 % of it. Such rows have a
    // note, and so do rows whose rounding alone hides that they follow the note's reading rather
    // than today's value; GNU units agrees with the factor on that reading, rounded to the
    // factor's digits or cut off there. A row that follows the same reading as an earlier one
    // repeats its note.
    void factorsAgreeWithGnuUnits()
    {
        QFETCH(QStringList, f);
        QVERIFY2(f.size() > 1 && f[4].startsWith(f[0] + " | "), qPrintable(f.last()));
        const CatalogueRow& row = kCatalogue[f[0].toUInt() - 1];
        char digits[32] = {}; // the shortest form, as written in the catalogue: 3.259e+05
        std::to_chars(digits, digits + 31, row.factor, std::chars_format::scientific);
        const int point = int(std::string_view(digits).find('e'));
        const double half = std::min(
            0.5000000001 * std::pow(10, std::atoi(digits + point + 1) - std::max(point - 2, 0)),
            row.factor / 100);
        bool numeric = false, explained = false;
        const double today = f[1].toDouble(&numeric), reading = f[2].toDouble(&explained);
        const bool far = !numeric || std::abs(row.factor / today - 1) > 1e-4;
        const bool noted =
            (far && (!numeric || std::abs(row.factor - today) > half)) ||
            (far && explained && std::abs(row.factor - reading) < std::abs(row.factor - today));
        const QString context = QString("%1 = %2, %3").arg(f[4], f[1], f[2]);
        QVERIFY2(numeric || f[1].contains(QRegularExpression("^[0-9]")), qPrintable(context));
        QVERIFY2(row.note.empty() != noted && f[2].isEmpty() != noted,
                 qPrintable("a note and a reading exactly where the factor needs one: " + context));
        QVERIFY2(!noted ||
                     (explained && (std::abs(row.factor - reading) <= half ||
                                    (reading > row.factor && reading - row.factor < 2 * half))),
                 qPrintable("the reading does not explain the factor: " + context));
        QVERIFY2(row.note == kCatalogue[f[3].toUInt() - 1].note,
                 qPrintable("the note of the row it repeats: " + context));
    }
};

QTEST_GUILESS_MAIN(CoreTest)
#include "test_core.moc"
