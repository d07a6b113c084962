#include "cases.h"
#include "conversion/catalogue.h"

#include <charconv>
#include <cmath>

using namespace mensurio;

// Every factor against GNU units (Debian's units), an independent source, asked once for all rows.
class AuditTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void factorsAgreeWithGnuUnits_data()
    {
        const QList<QStringList> rows = table("catalogue_units.tsv");
        QByteArray questions; // each (from)/(to) with an empty answer: the factor, or its units
        for (const QStringList& row : rows)
            for (qsizetype i = 1; i + 1 < row.size(); i += 2)
                questions += "(" + row[i].toUtf8() + ")/(" + row[i + 1].toUtf8() + ")\n\n";
        QProcess units;
        units.setEnvironment(QProcess::systemEnvironment() << "UNITS_ENGLISH=US"
                                                           << "LC_ALL=C");
        units.start("units", {"--terse", "--quiet", "--digits", "15"});
        units.write(questions);
        units.closeWriteChannel();
        QVERIFY2(units.waitForFinished() && units.exitCode() == 0, "GNU units did not answer");
        const QStringList answers = QString::fromUtf8(units.readAllStandardOutput()).split('\n');
        QTest::addColumn<QStringList>("f");
        qsizetype next = 0;
        for (const QStringList& row : rows) { // number, today's factor, the reading's, the row
            const QString today = answers.value(next++);
            QTest::newRow(qPrintable(row[0])) << QStringList{
                row[0], today, row.size() > 3 ? answers.value(next++) : "", row.join(" | ")};
        }
    }
    // A factor differs from today's units where it is off by more than one part in 10,000 and
    // more than half a unit in its last significant digit. Exactly such rows have a note, and the
    // reading the note gives explains the factor: rounded to its digits, or cut off there.
    void factorsAgreeWithGnuUnits()
    {
        QFETCH(QStringList, f);
        const CatalogueRow& row = kCatalogue[std::size_t(f[0].toInt() - 1)];
        char shortest[32] = {};
        std::to_chars(shortest, shortest + 31, row.factor, std::chars_format::scientific);
        const auto mantissa = std::string_view(shortest).find('e');
        const double half =
            0.5000000001 * std::pow(10.0, std::atoi(shortest + mantissa + 1) -
                                              int(std::max<size_t>(mantissa, 2) - 2));
        bool numeric = false, explained = false;
        const double today = f[1].toDouble(&numeric), reading = f[2].toDouble(&explained);
        const QString context = QString("%1: factor %2, GNU units %3 (%4)")
                                    .arg(f[0], QString::number(row.factor, 'g', 17), f[1], f[3]);
        QVERIFY2(numeric || (!f[1].isEmpty() && f[1][0].isDigit()),
                 qPrintable(context)); // units of another kind
        const bool differs = !numeric || (std::abs(row.factor / today - 1) > 1e-4 &&
                                          std::abs(row.factor - today) > half);
        QVERIFY2(row.note.empty() != differs && f[2].isEmpty() != differs,
                 qPrintable("a note and a reading exactly where the factor differs: " + context));
        QVERIFY2(!differs ||
                     (explained && (std::abs(row.factor - reading) <= half ||
                                    (reading > row.factor && reading - row.factor < 2 * half))),
                 qPrintable("the reading does not explain the factor: " + context));
    }
};

QTEST_GUILESS_MAIN(AuditTest)
#include "test_audit.moc"
