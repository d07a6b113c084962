#include "conversion/catalogue.h"
#include "conversion/flow.h"
#include "platform/scriptedplatform.h"
#include "support/cases.h"
#include "support/checks.h"

#include <QFile>
#include <QTest>

#include <bit>
#include <random>
#include <set>

using namespace mensurio;
using namespace mensurio::testing;

namespace {

QString text(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QList<QByteArray> dataLines(const char* name)
{
    QFile file(QStringLiteral(MENSURIO_TEST_DATA "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QList<QByteArray>();
}

} // namespace

class CoreTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void catalogueIsWellFormed()
    {
        std::set<std::string_view> formulas;
        int withLetterOWithStroke = 0;
        for (const CatalogueRow& row : kCatalogue) {
            const QString formula = text(row.formula);
            QVERIFY2(formula.size() >= 11 && formula.size() <= 50 && formula.contains("  to  ") &&
                         formula.trimmed() == formula && formulas.insert(row.formula).second,
                     qPrintable(formula));
            QVERIFY2(row.factor > 0 && std::isfinite(row.factor), qPrintable(formula));
            QCOMPARE(text(row.listEntry).trimmed(), formula);
            withLetterOWithStroke += formula.contains(u'\u00f8');
        }
        QCOMPARE(withLetterOWithStroke, 10);
    }

    void rowsByNumber_data()
    {
        addCases("catalogue_rows.tsv", {"number", "formula", "entry", "factor"});
    }
    void rowsByNumber()
    {
        QFETCH(QString, number);
        QFETCH(QString, formula);
        QFETCH(QString, entry);
        QFETCH(QString, factor);
        const CatalogueRow* row = findRow(number.toFloat());
        QCOMPARE(row, formula == "-" ? nullptr : &kCatalogue[number.toInt() - 1]);
        if (!row)
            return;
        QCOMPARE(text(row->formula), formula);
        QCOMPARE(text(row->listEntry), entry);
        QCOMPARE(row->factor, factor.toDouble()); // both the double nearest the decimal
    }

    void inverseRowsAgree_data() { addCases("inverse_pairs.tsv", {"from", "to"}); }
    void inverseRowsAgree()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        double product = 1;
        for (const CatalogueRow& row : kCatalogue)
            if (text(row.formula) == from || text(row.formula) == to)
                product *= row.factor;
        QVERIFY2(std::abs(product - 1) < 0.003, qPrintable(QString::number(product)));
    }

    void readsNumbers_data() { addCases("numbers_read.tsv", {"text", "value"}); }
    void readsNumbers()
    {
        QFETCH(QString, text);
        QFETCH(QString, value);
        const auto read = readNumber(text.toStdString());
        QCOMPARE(read.has_value(), value != "-");
        if (read) // bit for bit, so the sign of zero counts
            QCOMPARE(std::bit_cast<quint64>(*read), std::bit_cast<quint64>(value.toDouble()));
    }

    void showsNumbers_data() { addCases("numbers_shown.tsv", {"value", "text"}); }
    void showsNumbers()
    {
        QFETCH(QString, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(formatNumber(value.toDouble())), text);
    }

    // Public corpora of correctly rounded readings, bit for bit; overflows (+inf) are not numeric.
    void readsCorporaCorrectlyRounded()
    {
        int checked = 0;
        for (const char* name : {"parse_sample.txt", "parse_sample_f64.txt"})
            for (const QByteArray& line : dataLines(name)) {
                const QList<QByteArray> tokens = line.split(' ');
                if (tokens.size() < 2)
                    continue;
                const quint64 expected = tokens[tokens.size() - 2].toULongLong(nullptr, 16);
                const auto read = readNumber(tokens.back().toStdString());
                QVERIFY2(read ? std::bit_cast<quint64>(*read) == expected
                              : expected == 0x7FF0000000000000u,
                         tokens.back().constData());
                ++checked;
            }
        QVERIFY(checked > 9000);
    }

    // Texts nobody chose for the reader: naughty strings, megabyte pastes, shown numbers.
    void unchosenTextsFollowTheRules()
    {
        int numeric = 0;
        for (const QByteArray& line : dataLines("blns.txt")) {
            const bool fits = followsNumericRules(line.toStdString());
            QVERIFY2(readNumber(line.toStdString()).has_value() == fits, line.constData());
            numeric += fits && !line.startsWith('#');
        }
        QVERIFY(numeric >= 10);
        const std::string mega(1 << 20, '1');
        QVERIFY(!readNumber(mega));                                        // overflows
        QCOMPARE(readNumber("0." + std::string(1 << 20, '0') + "1"), 0.0); // underflows
        QCOMPARE(readNumber("1" + mega + "e-1048576"), 1.11111111111111111);
        QVERIFY(!readNumber(mega + "x"));
        std::mt19937_64 random(925);
        for (int i = 0; i < 100000; ++i) {
            const double value =
                i == 0 ? std::numeric_limits<double>::max() : std::bit_cast<double>(random());
            if (!std::isfinite(value))
                continue;
            const std::string shown = formatNumber(value);
            const auto back = readNumber(shown);
            QVERIFY2(shown.size() <= 25 && back, shown.c_str());
            QVERIFY2(std::abs(*back - value) <= std::max(std::abs(value) * 6e-15, 5e-324),
                     shown.c_str());
        }
    }

    void conversions_data()
    {
        addCases("flow.tsv", {"name", "clicks", "answers", "boxes", "state"});
    }
    void conversions()
    {
        QFETCH(QString, clicks);
        QFETCH(QString, answers);
        QFETCH(QString, boxes);
        QFETCH(QString, state);
        ScriptedPlatform platform;
        int formLoads = 0;
        ConversionFlow flow(platform, [&] { ++formLoads; });
        for (const QString& answer : answers.split(';'))
            platform.answers.push_back(answer == "<cancel>" ? std::nullopt
                                                            : std::optional(answer.toStdString()));
        for (const QString& click : clicks.split(';')) {
            if (click.startsWith("convert:"))
                flow.Convert(click.mid(8).toFloat());
            else
                flow.List1_Click(click.toInt());
        }
        QStringList shown;
        for (const std::string& box : platform.shown)
            shown << QString::fromStdString(box);
        const QStringList expected = expectedBoxes(boxes);
        QCOMPARE(shown, expected);
        QVERIFY(platform.answers.empty());
        QCOMPARE(formLoads, clicks.count(';') + 1); // every conversion brings the window back
        const QStringList after = state.split('@');
        QCOMPARE(text(flow.formula), after[0]);
        QCOMPARE(flow.factor, after[1].toDouble());
        QCOMPARE(flow.answer, after[2].toDouble());
    }

    void tenThousandMixedConversionsStayExact()
    {
        ScriptedPlatform platform;
        ConversionFlow flow(platform);
        std::mt19937 random(925);
        const char* const values[] = {"1", "2.5", "-3", "0", "1,000", "1e-7", " 42 ", "1e308"};
        std::string formula;
        double answer = 0;
        long afterHundred = 0;
        for (int i = 0; i < 10000; ++i) {
            if (i == 100)
                afterHundred = residentKiB();
            const int row = int(random() % kCatalogueSize);
            const std::string value = values[random() % std::size(values)];
            const int kind = int(random() % 3); // a value, a rejected text first, Cancel
            platform.answers.assign({kind == 2 ? std::nullopt : std::optional("x")});
            platform.answers.push_back(value);
            if (kind == 0)
                platform.answers.pop_front();
            platform.shown.clear();
            flow.List1_Click(row);
            if (kind != 2) {
                formula = kCatalogue[row].formula;
                const double product = *readNumber(value) * kCatalogue[row].factor;
                answer = std::isfinite(product) ? product : answer;
                QCOMPARE(platform.shown.back().front(), std::isfinite(product) ? 'M' : 'X');
            }
            QCOMPARE(flow.formula, formula);
            QCOMPARE(flow.answer, answer);
            QCOMPARE(flow.one, float(row + 1));
        }
        QVERIFY(!kMeasureMemory || residentKiB() - afterHundred <= 1024);
    }
};

QTEST_GUILESS_MAIN(CoreTest)
#include "test_core.moc"
