#include "conversion/flow.h"
#include "support/scripted_platform.h"

#include <QTest>

#include <cmath>

using namespace mensurio;
using namespace mensurio::testing;
using Kind = ScriptedPlatform::Kind;

Q_DECLARE_METATYPE(std::vector<ScriptedPlatform::Box>)

namespace {

ScriptedPlatform::Box input()
{
    return {Kind::Input, kValuePrompt, kInputBoxTitle};
}
ScriptedPlatform::Box notNumeric()
{
    return {Kind::Message, kNotNumericMessage, "Calvero1"};
}
ScriptedPlatform::Box result(const char* shown, const char* title)
{
    return {Kind::Message, shown, title};
}

QString describe(const std::vector<ScriptedPlatform::Box>& boxes)
{
    QStringList out;
    for (const auto& box : boxes)
        out << QStringLiteral("%1 '%2' titled '%3'")
                   .arg(int(box.kind))
                   .arg(QString::fromStdString(box.prompt), QString::fromStdString(box.title));
    return out.join(QStringLiteral("; "));
}

struct Fixture {
    ScriptedPlatform platform;
    int formLoads = 0;
    ConversionFlow flow{platform, [this] { ++formLoads; }};

    void click(int listIndex, std::initializer_list<std::optional<std::string>> answers)
    {
        platform.answers.assign(answers);
        platform.shown.clear();
        flow.List1_Click(listIndex);
    }
};

} // namespace

class FlowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // One click: the boxes the user sees, in order, and how often the main window comes back.
    void oneConversion_data()
    {
        QTest::addColumn<int>("listIndex");
        QTest::addColumn<QStringList>("answers"); // "<cancel>" answers with Cancel
        QTest::addColumn<std::vector<ScriptedPlatform::Box>>("boxes");
        QTest::addColumn<int>("formLoads");

        QTest::newRow("first entry")
            << 0 << QStringList{"1"} << std::vector{input(), result("10", "abampere  to  ampere")}
            << 1;
        QTest::newRow("yards to inches")
            << 914 << QStringList{"2"} << std::vector{input(), result("72", "yards  to  inches")}
            << 1;
        QTest::newRow("last entry, no trailing blank in the title")
            << 924 << QStringList{"1"}
            << std::vector{input(), result("52.17857", "year (mean of 4 year period)  to  week")}
            << 1;
        QTest::newRow("letters, empty, then a number")
            << 0 << QStringList{"abc", "", "3"}
            << std::vector{input(),      notNumeric(), input(),
                           notNumeric(), input(),      result("30", "abampere  to  ampere")}
            << 1;
        QTest::newRow("zero shows one result")
            << 0 << QStringList{"0"} << std::vector{input(), result("0", "abampere  to  ampere")}
            << 1;
        QTest::newRow("negative and tiny values show one result")
            << 6 << QStringList{"-1e-9"}
            << std::vector{input(), result("-4.047E-10", "acre  to  hectare or sq hectometer")}
            << 1;
        QTest::newRow("grouped input")
            << 11 << QStringList{"1,000"}
            << std::vector{input(), result("43560000", "acre-feet  to  cu. feet")} << 1;
        QTest::newRow("row with the letter o with stroke")
            << 203 << QStringList{"1"}
            << std::vector{input(),
                           result("2.953E-05", "dyne/sq. cm  to  inch of mercury at 0\xc3\xb8"
                                               "C")}
            << 1;
        QTest::newRow("cancel ends the conversion")
            << 0 << QStringList{"<cancel>"} << std::vector{input()} << 0;
        QTest::newRow("cancel after a rejected text")
            << 0 << QStringList{"x", "<cancel>"} << std::vector{input(), notNumeric(), input()}
            << 0;
        QTest::newRow("overflow is reported, not shown")
            << 0 << QStringList{"1e308"}
            << std::vector{input(),
                           ScriptedPlatform::Box{Kind::Error, kOverflowMessage, "Calvero1"}}
            << 0;
    }
    void oneConversion()
    {
        QFETCH(int, listIndex);
        QFETCH(QStringList, answers);
        QFETCH(std::vector<ScriptedPlatform::Box>, boxes);
        QFETCH(int, formLoads);
        Fixture f;
        for (const QString& answer : answers)
            f.platform.answers.push_back(
                answer == "<cancel>" ? std::nullopt : std::optional(answer.toStdString()));
        f.flow.List1_Click(listIndex);
        QVERIFY2(f.platform.shown == boxes, qPrintable(describe(f.platform.shown)));
        QVERIFY(f.platform.answers.empty());
        QCOMPARE(f.formLoads, formLoads);
        QCOMPARE(f.flow.one, float(listIndex + 1));
    }

    void variablesStartEmptyAndCarryOver()
    {
        Fixture f;
        QCOMPARE(f.flow.one, 0.0f);
        QVERIFY(f.flow.entry.empty() && f.flow.formula.empty());
        QCOMPARE(f.flow.factor, 0.0);
        QCOMPARE(f.flow.answer, 0.0);

        f.click(11, {"2"});
        QCOMPARE(f.flow.entry, "2");
        QCOMPARE(f.flow.formula, "acre-feet  to  cu. feet");
        QCOMPARE(f.flow.factor, 43560.0);
        QCOMPARE(f.flow.answer, 87120.0);

        // A second selection overwrites formula and factor together.
        f.click(910, {"0.5"});
        QCOMPARE(f.flow.formula, "week  to  second  to c.f.");
        QCOMPARE(f.flow.factor, 604800.0);
        QCOMPARE(f.flow.answer, 302400.0);
        QCOMPARE(f.flow.one, 911.0f);
    }

    // Cancel, a rejected text followed by Cancel, and overflow leave the last result alone.
    void abandonedConversionsKeepTheLastResult_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("entry");
        QTest::newRow("cancel") << QStringList{"<cancel>"} << "7";
        QTest::newRow("rejected then cancel") << QStringList{"seven", "<cancel>"} << "seven";
        QTest::newRow("overflow") << QStringList{"1e307"} << "1e307";
    }
    void abandonedConversionsKeepTheLastResult()
    {
        QFETCH(QStringList, answers);
        QFETCH(QString, entry);
        Fixture f;
        f.click(0, {"7"});
        f.platform.answers.clear();
        for (const QString& answer : answers)
            f.platform.answers.push_back(
                answer == "<cancel>" ? std::nullopt : std::optional(answer.toStdString()));
        f.flow.List1_Click(2); // abfarad to farad: 1e9, so 1e307 overflows
        QCOMPARE(QString::fromStdString(f.flow.entry), entry);
        QCOMPARE(f.flow.answer, 70.0);
        QCOMPARE(f.formLoads, 1);
        // The row is selected before the multiplication, as with every conversion.
        QCOMPARE(f.flow.formula,
                 answers.last() == "<cancel>" ? "abampere  to  ampere" : "abfarad  to  farad");
    }

    // A number that matches no row keeps the previous formula and factor.
    void numberMatchingNoRowReusesThePreviousFormula_data()
    {
        QTest::addColumn<float>("number");
        QTest::newRow("0") << 0.0f;
        QTest::newRow("926") << 926.0f;
        QTest::newRow("-1") << -1.0f;
        QTest::newRow("2.5") << 2.5f;
    }
    void numberMatchingNoRowReusesThePreviousFormula()
    {
        QFETCH(float, number);
        Fixture f;
        f.click(11, {"3"});
        f.platform.shown.clear();
        f.flow.Convert(number);
        QVERIFY2(f.platform.shown == std::vector{result("130680", "acre-feet  to  cu. feet")},
                 qPrintable(describe(f.platform.shown)));
        QCOMPARE(f.flow.factor, 43560.0);
    }

    void noSelectionBeforeAnyConversionShowsZeroUntitled()
    {
        Fixture f;
        f.click(-1, {"5"});
        QCOMPARE(f.flow.one, 0.0f);
        QVERIFY2(f.platform.shown == (std::vector{input(), result("0", "")}),
                 qPrintable(describe(f.platform.shown)));
    }
};

QTEST_GUILESS_MAIN(FlowTest)
#include "test_flow.moc"
