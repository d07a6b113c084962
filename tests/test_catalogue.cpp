#include "conversion/catalogue.h"

#include <QTest>

#include <cmath>
#include <set>
#include <string>

using namespace mensurio;
using namespace std::string_view_literals;

class CatalogueTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formulasAreWellFormedAndUnique()
    {
        std::set<std::string_view> seen;
        for (const CatalogueRow& row : kCatalogue) {
            const QString formula = QString::fromUtf8(row.formula.data(), row.formula.size());
            QVERIFY2(row.formula.size() >= 11 && formula.size() <= 50, qPrintable(formula));
            QVERIFY2(row.formula.find("  to  ") != std::string_view::npos, qPrintable(formula));
            QVERIFY2(row.formula.front() != ' ' && row.formula.back() != ' ', qPrintable(formula));
            QVERIFY2(seen.insert(row.formula).second, qPrintable(formula));
            QVERIFY2(row.factor > 0 && std::isfinite(row.factor), qPrintable(formula));
            // The list shows the formula, with at most some trailing blanks.
            QVERIFY(row.listEntry.substr(0, row.formula.size()) == row.formula);
            QVERIFY(row.listEntry.find_first_not_of(' ', row.formula.size()) ==
                    std::string_view::npos);
        }
    }

    void rowsThatStandOut_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("listEntry");
        QTest::addColumn<double>("factor");
        const auto row = [](int n, const char* formula, const char* entry, double factor) {
            QTest::addRow("%d", n)
                << n << QString::fromUtf8(formula) << QString::fromUtf8(entry) << factor;
        };
        row(1, "abampere  to  ampere", "abampere  to  ampere", 10.0);
        row(4, "acre  to  sq. chain (Gunter's)", "acre  to  sq. chain (Gunter's)", 10.0);
        row(7, "acre  to  hectare or sq hectometer", "acre  to  hectare or sq hectometer", 0.4047);
        row(204, "dyne/sq. cm  to  inch of mercury at 0\u00f8C",
            "dyne/sq. cm  to  inch of mercury at 0\u00f8C", 2.953e-05);
        row(351, "gram-centimeters  to  Btu", "gram-centimeters  to  Btu", 9.297e-08);
        row(492, "kilowatt-hrs  to  ergs", "kilowatt-hrs  to  ergs", 36000000000000.0);
        row(693, "Plank's quantum  to  erg-second", "Plank's quantum  to  erg-second", 6.624e-27);
        row(911, "week  to  second  to c.f.", "week  to  second  to c.f.", 604800.0);
        row(923, "year (mean of 4 year period)  to  minute (time)",
            "year (mean of 4 year period)  to  minute (time) ", 525960.0);
        row(924, "year (mean of 4 year period)  to  second (time)",
            "year (mean of 4 year period)  to  second (time)  ", 31557600.0);
        row(925, "year (mean of 4 year period)  to  week",
            "year (mean of 4 year period)  to  week ", 52.17857);
    }
    void rowsThatStandOut()
    {
        QFETCH(int, number);
        QFETCH(QString, formula);
        QFETCH(QString, listEntry);
        QFETCH(double, factor);
        const CatalogueRow* row = findRow(static_cast<float>(number));
        QVERIFY(row == &kCatalogue[number - 1]);
        QCOMPARE(QString::fromUtf8(row->formula.data(), row->formula.size()), formula);
        QCOMPARE(QString::fromUtf8(row->listEntry.data(), row->listEntry.size()), listEntry);
        QCOMPARE(row->factor, factor); // exact: both are the double nearest the decimal
    }

    void onlyTheLetterOWithStrokeIsNotAscii()
    {
        int rowsWithIt = 0;
        for (const CatalogueRow& row : kCatalogue) {
            std::string rest(row.formula);
            const bool has = rest.find("\xc3\xb8") != std::string::npos;
            for (std::size_t at; (at = rest.find("\xc3\xb8")) != std::string::npos;)
                rest.erase(at, 2);
            for (unsigned char c : rest)
                QVERIFY2(c >= 0x20 && c < 0x7f, row.formula.data());
            rowsWithIt += has;
        }
        QCOMPARE(rowsWithIt, 10);
    }

    // Inverse rows that the table gives independently must multiply to about 1; a mistyped
    // factor or a row shifted by one breaks the pair.
    void inverseRowsAgree_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        const auto pair = [](const char* name, const char* from, const char* to) {
            QTest::newRow(name) << QString(from) << QString(to);
        };
        pair("inch/cm", "inches  to  centimeters", "centimeters  to  inches");
        pair("yard/metre", "yards  to  meters", "meters  to  yards");
        pair("foot/metre", "feet  to  meters", "meters  to  feet");
        pair("mile/km", "miles (statute)  to  kilometers", "kilometers  to  miles");
        pair("pound/kg", "pounds  to  kilograms", "kilograms  to  pounds");
        pair("gallon/litre", "gallons  to  liters", "liters  to  gallons (U.S. liq.)");
        pair("quart/litre", "quarts (liquid)  to  liters", "liters  to  quarts (U.S. liq.)");
    }
    void inverseRowsAgree()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        const auto factorOf = [](const QString& formula) {
            for (const CatalogueRow& row : kCatalogue)
                if (QString::fromUtf8(row.formula.data(), row.formula.size()) == formula)
                    return row.factor;
            return std::nan("");
        };
        const double product = factorOf(from) * factorOf(to);
        QVERIFY2(std::abs(product - 1.0) < 0.003, qPrintable(QString::number(product)));
    }

    void onlyWholeNumbersInRangeSelectARow_data()
    {
        QTest::addColumn<float>("number");
        QTest::addColumn<int>("row"); // 0: none
        QTest::newRow("first") << 1.0f << 1;
        QTest::newRow("last") << 925.0f << 925;
        QTest::newRow("zero") << 0.0f << 0;
        QTest::newRow("negative") << -1.0f << 0;
        QTest::newRow("past the end") << 926.0f << 0;
        QTest::newRow("fraction") << 2.5f << 0;
        QTest::newRow("just below 1") << std::nextafter(1.0f, 0.0f) << 0;
        QTest::newRow("nan") << std::nanf("") << 0;
        QTest::newRow("infinity") << HUGE_VALF << 0;
    }
    void onlyWholeNumbersInRangeSelectARow()
    {
        QFETCH(float, number);
        QFETCH(int, row);
        QCOMPARE(findRow(number), row == 0 ? nullptr : &kCatalogue[row - 1]);
    }
};

QTEST_GUILESS_MAIN(CatalogueTest)
#include "test_catalogue.moc"
