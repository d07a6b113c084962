#include "platform/numbers.h"
#include "support/numeric_rules.h"

#include <QFile>
#include <QTest>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

using namespace mensurio;

namespace {

QByteArray readData(const char* name)
{
    QFile file(QStringLiteral(MENSURIO_TEST_DATA "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot open test data %s", name);
    return file.readAll();
}

} // namespace

class NumbersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsNumericTexts_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<double>("value");
        const auto yes = [](const char* text, double value) {
            QTest::addRow("%s", text) << QByteArray(text) << true << value;
        };
        const auto no = [](const char* text) {
            QTest::addRow("not %s", text) << QByteArray(text) << false << 0.0;
        };
        yes("2", 2);
        yes(" \t2 \t", 2);
        yes("-3.5", -3.5);
        yes("+4", 4);
        yes(".5", 0.5);
        yes("5.", 5);
        yes("007", 7);
        yes("1,000", 1000);
        yes("12,345.5", 12345.5);
        yes("-1,234,567", -1234567);
        yes("1e3", 1000);
        yes("2.5E-3", 0.0025);
        yes("1e+2", 100);
        yes("0.1", 0.1);
        yes("1e-400", 0); // underflow reads as the nearest double
        yes("4.9406564584124654e-324", std::numeric_limits<double>::denorm_min());
        yes("1.7976931348623157e308", std::numeric_limits<double>::max());
        yes("1e0000000000000000000000000000001", 10);
        no("");
        no("   ");
        no("abc");
        no("1,5"); // a decimal comma is never misread as a group separator
        no("1,00");
        no("1,0000");
        no(",100");
        no("1,000,00");
        no("12,34.5");
        no("1.000,5");
        no("1.2.3");
        no(".");
        no("-");
        no("+-1");
        no("1e");
        no("1e+");
        no("e5");
        no("1 000");
        no("5 apples");
        no("\n5");
        no("inf");
        no("-Infinity");
        no("nan");
        no("0x10");
        no("$5");
        no("5%");
        no("\xd9\xa3");     // ARABIC-INDIC DIGIT THREE
        no("\xef\xbc\x95"); // FULLWIDTH DIGIT FIVE
        no("1e400");        // overflows a double
        no("-1e400");
        no("1.7976931348623159e308"); // rounds to infinity
        no("1e99999999999999999999");
    }
    void readsNumericTexts()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, numeric);
        QFETCH(double, value);
        const auto read = readNumber(text.toStdString());
        QCOMPARE(read.has_value(), numeric);
        if (numeric)
            QCOMPARE(*read, value);
    }

    void keepsTheSignOfZero()
    {
        QVERIFY(std::signbit(readNumber("-0").value()));
        QVERIFY(std::signbit(readNumber("-1e-999").value()));
        QVERIFY(!std::signbit(readNumber("0").value()));
    }

    // Every text of the public corpora must read as the correctly rounded double, bit for bit;
    // texts that overflow (expected +inf) are not numeric.
    void roundsCorrectly_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("fxx") << QByteArray("parse_sample.txt");
        QTest::newRow("f64") << QByteArray("parse_sample_f64.txt");
    }
    void roundsCorrectly()
    {
        QFETCH(QByteArray, file);
        int checked = 0;
        for (const QByteArray& line : readData(file.constData()).split('\n')) {
            const QList<QByteArray> tokens = line.split(' ');
            if (tokens.size() < 2)
                continue;
            const auto expected = tokens[tokens.size() - 2].toULongLong(nullptr, 16);
            const QByteArray& text = tokens.back();
            const auto read = readNumber(text.toStdString());
            if (expected == 0x7FF0000000000000ull) {
                QVERIFY2(!read, text.constData());
            } else {
                QVERIFY2(read, text.constData());
                QVERIFY2(std::bit_cast<std::uint64_t>(*read) == expected, text.constData());
            }
            ++checked;
        }
        QVERIFY(checked > 4000);
    }

    // Every line of the naughty-strings list: no crash, and numeric exactly when it fits the
    // rules and does not overflow.
    void naughtyStringsFollowTheRules()
    {
        int numeric = 0;
        for (const QByteArray& line : readData("blns.txt").split('\n')) {
            if (line.startsWith('#'))
                continue;
            const std::string text = line.toStdString();
            const auto read = readNumber(text);
            const bool fits = testing::followsNumericRules(text);
            QVERIFY2(read.has_value() == fits, line.constData());
            numeric += fits;
        }
        QVERIFY(numeric >= 10); // the list's numeric section really was read
    }

    void largePastedTextsAreHandled_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<double>("value");
        constexpr int megabyte = 1 << 20;
        QTest::newRow("ones") << QByteArray(megabyte, '1') << false << 0.0;
        QTest::newRow("tiny") << "0." + QByteArray(megabyte, '0') + "1" << true << 0.0;
        QTest::newRow("long fraction") << "2." + QByteArray(megabyte, '0') << true << 2.0;
        QTest::newRow("scaled back")
            << "1" + QByteArray(megabyte, '0') + "e-" + QByteArray::number(megabyte) << true << 1.0;
        QTest::newRow("groups") << "1" + QByteArray(",000").repeated(megabyte / 4) << false << 0.0;
        QTest::newRow("blanks") << QByteArray(megabyte, ' ') << false << 0.0;
        QTest::newRow("letters") << "1" + QByteArray(megabyte, 'x') << false << 0.0;
    }
    void largePastedTextsAreHandled()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, numeric);
        QFETCH(double, value);
        const auto read = readNumber(text.toStdString());
        QCOMPARE(read.has_value(), numeric);
        if (numeric)
            QCOMPARE(*read, value);
    }

    void formatsResults_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        const auto row = [](double value, const char* text) {
            QTest::addRow("%s", text) << value << QString(text);
        };
        row(2.0 * 36.0, "72");
        row(3 * 0.1, "0.3");
        row(1 * 6.624e-27, "6.624E-27");
        row(100 * 36000000000000.0, "3.6E+15");
        row(0.00001, "1E-05");
        row(0.0001, "0.0001");
        row(0.00012345, "0.00012345");
        row(-0.0, "0");
        row(0.0, "0");
        row(-2.5, "-2.5");
        row(1234.5, "1234.5");
        row(1e14, "100000000000000");
        row(123456789012345.6, "123456789012346");
        row(999999999999999.9, "1E+15"); // rounding carries into the exponent
        row(2 * 0.4047, "0.8094");
        row(1.0 / 3.0, "0.333333333333333");
        row(-2.0 / 3.0 * 1e-7, "-6.66666666666667E-08");
        row(std::numeric_limits<double>::max(), "1.79769313486231E+308"); // reads back
        row(-1.7976931348623155e308, "-1.79769313486231E+308");
        row(1.79769313486231e308, "1.79769313486231E+308");
        row(std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324");
        row(1e100, "1E+100");
    }
    void formatsResults()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(formatNumber(value)), text);
    }

    // What a result box shows must read back as the same number to 15 significant digits.
    void shownNumbersReadBack()
    {
        std::mt19937_64 random(925);
        for (int i = 0; i < 100000; ++i) {
            // The extremes first, then random bit patterns.
            constexpr double extremes[] = {
                std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min()};
            const double value = i < 4 ? extremes[i] : std::bit_cast<double>(random());
            if (!std::isfinite(value))
                continue;
            const std::string text = formatNumber(value);
            QVERIFY2(text.size() <= 25, text.c_str());
            const auto back = readNumber(text);
            QVERIFY2(back, text.c_str());
            // Half a unit in the 15th digit is at most 5e-15 of the value; reading adds an ulp.
            const double tolerance =
                std::max(std::abs(value) * 6e-15, std::numeric_limits<double>::denorm_min());
            QVERIFY2(std::abs(*back - value) <= tolerance, text.c_str());
        }
    }
};

QTEST_GUILESS_MAIN(NumbersTest)
#include "test_numbers.moc"
