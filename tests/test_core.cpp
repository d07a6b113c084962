#include "conversion/catalogue.h"
#include "conversion/flow.h"
#include "platform/scriptedplatform.h"
#include "support/cases.h"

#include <bit>
#include <random>
#include <set>

using namespace mensurio;
using namespace mensurio::testing;

static QString text(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

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
                         formula.trimmed() == formula && formulas.insert(row.formula).second &&
                         text(row.listEntry).trimmed() == formula && row.factor > 0 &&
                         std::isfinite(row.factor),
                     qPrintable(formula));
            withLetterOWithStroke += formula.contains(u'\u00f8');
        }
        QCOMPARE(withLetterOWithStroke, 10);
    }

    void rowsByNumber_data() { addCases("catalogue_rows.tsv"); }
    void rowsByNumber()
    {
        const auto [number, formula, entry, factor] = fields<4>();
        const CatalogueRow* row = findRow(number.toFloat());
        QCOMPARE(row, formula == "-" ? nullptr : &kCatalogue[number.toInt() - 1]);
        if (row) { // the factor: both are the double nearest the decimal
            QCOMPARE(text(row->formula), formula);
            QCOMPARE(text(row->listEntry), entry);
            QCOMPARE(row->factor, factor.toDouble());
        }
    }

    void inverseRowsAgree_data() { addCases("inverse_pairs.tsv"); }
    void inverseRowsAgree()
    {
        const auto [from, to] = fields<2>();
        double product = 1;
        for (const CatalogueRow& row : kCatalogue)
            product *= text(row.formula) == from || text(row.formula) == to ? row.factor : 1;
        QVERIFY2(std::abs(product - 1) < 0.003, qPrintable(QString::number(product)));
    }

    void readsNumbers_data() { addCases("numbers_read.tsv"); }
    void readsNumbers()
    {
        const auto [text, value] = fields<2>();
        const auto read = readNumber(text.toStdString());
        QCOMPARE(read.has_value(), value != "-");
        if (read) // bit for bit, so the sign of zero counts
            QCOMPARE(std::bit_cast<quint64>(*read), std::bit_cast<quint64>(value.toDouble()));
    }

    void showsNumbers_data() { addCases("numbers_shown.tsv"); }
    void showsNumbers()
    {
        const auto [value, text] = fields<2>();
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
                checked++;
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
        QVERIFY(!readNumber(mega) && !readNumber(mega + "x"));             // overflows
        QCOMPARE(readNumber("0." + std::string(1 << 20, '0') + "1"), 0.0); // underflows
        QCOMPARE(readNumber("1" + mega + "e-1048576"), 1.11111111111111111);
        std::mt19937_64 random(925);
        for (int i = 0; i < 100000; ++i) {
            const double value =
                i == 0 ? std::numeric_limits<double>::max() : std::bit_cast<double>(random());
            const std::string shown = std::isfinite(value) ? formatNumber(value) : "0";
            const auto back = readNumber(shown);
            QVERIFY2(shown.size() <= 25 && back, shown.c_str());
            QVERIFY2(!std::isfinite(value) ||
                         std::abs(*back - value) <= std::max(std::abs(value) * 6e-15, 5e-324),
                     shown.c_str());
        }
    }

    void conversions_data() { addCases("flow.tsv"); }
    void conversions()
    {
        const auto [name, clicks, answers, boxes, after] = fields<5>();
        ScriptedPlatform platform;
        int formLoads = 0;
        ConversionFlow flow(platform, [&] { ++formLoads; });
        for (const QString& answer : answers.split(';'))
            platform.answers.push_back(answer.startsWith('<')
                                           ? std::nullopt // Cancel, close box
                                           : std::optional(answer.toStdString()));
        for (const QString& click : clicks.split(';'))
            click.startsWith("convert:") ? flow.Convert(click.mid(8).toFloat())
                                         : flow.List1_Click(click.toInt());
        QStringList shown;
        for (const std::string& box : platform.shown)
            shown << QString::fromStdString(box);
        QCOMPARE(shown, expectedBoxes(boxes));
        QVERIFY(platform.answers.empty());
        QCOMPARE(formLoads, clicks.count(';') + 1); // every conversion brings the window back
        QCOMPARE(state(flow), state(after));
    }

    // Each conversion a value, a rejected text then a value, or Cancel; overflows among them.
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
            afterHundred = i == 100 ? residentKiB() : afterHundred;
            const int row = int(random() % kCatalogueSize), kind = int(random() % 3);
            const std::string value = values[random() % std::size(values)];
            platform.answers = {kind == 2 ? std::nullopt : std::optional("x"), value};
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
        QVERIFY(residentKiB() - afterHundred <= 1024);
    }
};

QTEST_GUILESS_MAIN(CoreTest)
#include "test_core.moc"
