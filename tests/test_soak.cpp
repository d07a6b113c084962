#include "conversion/catalogue.h"
#include "conversion/flow.h"
#include "platform/qtplatform.h"
#include "support/modal.h"
#include "support/numeric_rules.h"
#include "support/scripted_platform.h"

#include <QApplication>
#include <QFile>
#include <QTest>

#include <cmath>
#include <fstream>
#include <random>

using namespace mensurio;
using namespace mensurio::testing;

namespace {

// Under AddressSanitizer freed memory is held back on purpose, so the resident size says
// nothing there; that build looks for leaks with LeakSanitizer instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMeasureMemory = false;
#else
constexpr bool kMeasureMemory = true;
#endif

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// A user's answers to one conversion, mixed at random: a value, a rejected text and then a
// value, Cancel, or a value whose product may overflow.
struct Conversion {
    enum Kind { Valid, RejectedThenValid, Cancel, Huge };
    int row; // 0-based list position
    Kind kind;
    std::string value;

    static Conversion random(std::mt19937& random)
    {
        static const char* const values[] = {"1", "2.5", "-3", "0", "1,000", "1e-7", " 42 "};
        const auto kind = static_cast<Kind>(random() % 4);
        return {static_cast<int>(random() % kCatalogueSize), kind,
                kind == Huge ? "1e308" : values[random() % std::size(values)]};
    }
    // What the product is, or nothing when it overflows.
    std::optional<double> product() const
    {
        const double product = *readNumber(value) * kCatalogue[row].factor;
        return std::isfinite(product) ? std::optional(product) : std::nullopt;
    }
};

struct State {
    std::string formula;
    double answer = 0;
};

// The state a conversion must leave, from the one before it.
State expectedAfter(const Conversion& c, State before)
{
    if (c.kind == Conversion::Cancel)
        return before;
    before.formula = kCatalogue[c.row].formula;
    if (const auto product = c.product())
        before.answer = *product;
    return before;
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        QVERIFY2(!QApplication::activeModalWidget(), "a box was left open");
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible(), qPrintable(top->windowTitle()));
    }

    void tenThousandScriptedConversions()
    {
        ScriptedPlatform platform;
        int formLoads = 0;
        ConversionFlow flow(platform, [&] { ++formLoads; });
        std::mt19937 random(925);
        State expected;
        int results = 0;
        long afterHundred = 0;
        for (int i = 0; i < 10000; ++i) {
            const Conversion c = Conversion::random(random);
            platform.shown.clear();
            platform.answers.clear();
            if (c.kind == Conversion::Cancel)
                platform.answers.push_back(std::nullopt);
            if (c.kind == Conversion::RejectedThenValid)
                platform.answers.push_back("twelve");
            platform.answers.push_back(c.value);
            flow.List1_Click(c.row);

            expected = expectedAfter(c, expected);
            QCOMPARE(flow.formula, expected.formula);
            QCOMPARE(flow.answer, expected.answer);
            QCOMPARE(flow.one, float(c.row + 1));
            const auto& last = platform.shown.back();
            if (c.kind == Conversion::Cancel) {
                QCOMPARE(platform.shown.size(), 1u);
            } else if (c.product()) {
                QVERIFY(last.kind == ScriptedPlatform::Kind::Message);
                QCOMPARE(last.title, expected.formula);
                QCOMPARE(last.prompt, formatNumber(expected.answer));
                ++results;
            } else {
                QVERIFY(last.kind == ScriptedPlatform::Kind::Error);
            }
            if (i == 99)
                afterHundred = residentKiB();
        }
        QCOMPARE(formLoads, results);
        QVERIFY(results > 4000);
        const long grown = residentKiB() - afterHundred;
        qInfo("resident memory grew by %ld KiB after the first hundred", grown);
        QVERIFY2(!kMeasureMemory || grown <= 1024, qPrintable(QString::number(grown)));
    }

    void fiveHundredConversionsThroughTheRealBoxes()
    {
        QtPlatform platform;
        int formLoads = 0;
        ConversionFlow flow(platform, [&] { ++formLoads; });
        std::mt19937 random(1);
        State expected;
        long afterHundred = 0;
        for (int i = 0; i < 500; ++i) {
            const Conversion c = Conversion::random(random);
            const QString value = QString::fromStdString(c.value);
            std::vector<Reply> replies;
            std::vector<QString> titles; // of the boxes the user must see
            if (c.kind == Conversion::Cancel) {
                replies = {{value, Reply::Escape}};
                titles = {"Mensurio input box"};
            } else {
                if (c.kind == Conversion::RejectedThenValid) {
                    replies = {{"1,5"}, {}};
                    titles = {"Mensurio input box", "Calvero1"};
                }
                replies.insert(replies.end(), {{value}, {}});
                titles.push_back("Mensurio input box");
                titles.push_back(c.product() ? toQString(kCatalogue[c.row].formula) : "Calvero1");
            }
            ModalDriver driver(replies);
            driver.run([&] { flow.List1_Click(c.row); });
            QCOMPARE(driver.unexpected, 0);
            QCOMPARE(driver.seen.size(), titles.size());
            for (std::size_t b = 0; b < titles.size(); ++b)
                QCOMPARE(driver.seen[b].title, titles[b]);

            expected = expectedAfter(c, expected);
            QCOMPARE(flow.formula, expected.formula);
            QCOMPARE(flow.answer, expected.answer);
            if (c.product() && c.kind != Conversion::Cancel)
                QCOMPARE(driver.seen.back().text, toQString(formatNumber(expected.answer)));
            if (i == 99)
                afterHundred = residentKiB();
        }
        QVERIFY(formLoads > 150);
        const long grown = residentKiB() - afterHundred;
        qInfo("resident memory grew by %ld KiB after the first hundred", grown);
        QVERIFY2(!kMeasureMemory || grown <= 1024, qPrintable(QString::number(grown)));
    }

    // Every line of the naughty-strings list, typed (or pasted, where no key types it) into the
    // real input box: accepted exactly when the text in the box follows the numeric rules.
    void naughtyStringsInTheRealInputBox()
    {
        QFile file(QStringLiteral(MENSURIO_TEST_DATA "/blns.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QtPlatform platform;
        ConversionFlow flow(platform);
        int accepted = 0;
        int lines = 0;
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (line.startsWith('#'))
                continue;
            const QString text = QString::fromUtf8(line);
            const bool typeable = std::all_of(text.begin(), text.end(), [](QChar c) {
                return c.unicode() >= 0x20 && c.unicode() < 0x7f;
            });
            int inputs = 0;
            ModalDriver driver([&](const SeenBox& box) {
                if (box.kind != QLatin1String("input"))
                    return Reply{};
                return ++inputs == 1 ? Reply{text, Reply::Enter, !typeable}
                                     : Reply{QString(), Reply::Escape};
            });
            driver.run([&] { flow.List1_Click(914); });
            QVERIFY(!driver.timedOut);
            const std::string inBox = driver.seen.front().typed.toStdString();
            const bool shown = driver.seen.back().title == QLatin1String("yards  to  inches");
            QVERIFY2(shown == followsNumericRules(inBox), line.constData());
            accepted += shown;
            ++lines;
        }
        QVERIFY(lines > 500);
        QVERIFY(accepted >= 10);
    }
};

MENSURIO_WIDGET_TEST_MAIN(SoakTest)
#include "test_soak.moc"
