#include "app/application.h"
#include "app/form1.h"
#include "app/form2.h"
#include "conversion/catalogue.h"
#include "platform/qtplatform.h"
#include "support/cases.h"
#include "support/checks.h"
#include "support/modal.h"

#include <QEventLoop>
#include <QIcon>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>

#include <random>

using namespace mensurio;
using namespace mensurio::testing;

namespace {

// The real boxes; the end of the program is only counted, so one process runs every test.
struct CountingPlatform : QtPlatform {
    void endProgram() override { ++ends; }
    int ends = 0;
};

template <typename T = QWidget> T* control(QWidget* window, const QString& name)
{
    auto* found = window ? window->findChild<T*>(name) : nullptr;
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

} // namespace

class GuiTest : public QObject {
    Q_OBJECT
    CountingPlatform platform;
    std::unique_ptr<Form1> window;

    QListWidget* list() { return control<QListWidget>(window.get(), "List1"); }
    void click(int row, Qt::MouseButton button = Qt::LeftButton)
    {
        list()->scrollToItem(list()->item(row));
        QTest::mouseClick(list()->viewport(), button, {},
                          list()->visualItemRect(list()->item(row)).center());
    }
    // The conversion numbers that action starts (-1 for a box other than the input box); each
    // input box is answered with Esc.
    QList<float> started(const std::function<void()>& action, std::size_t expected)
    {
        QList<float> numbers;
        for (const SeenBox& box : answerBoxes(
                 action,
                 [&](const SeenBox&) {
                     numbers << window->conversion().one;
                     return std::optional(Reply{{}, Reply::Escape});
                 },
                 expected, 150))
            if (box.kind != "input")
                numbers << -1;
        return numbers;
    }

private Q_SLOTS:
    void init()
    {
        window = std::make_unique<Form1>(platform);
        platform.setDialogParent(window.get());
        window->Form_Load();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup()
    {
        window.reset();
        platform.ends = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible(), qPrintable(top->windowTitle()));
    }

    void controlsStayWhereDesigned_data()
    {
        addCases("geometry.tsv", {"window", "control", "x", "y", "w", "h"});
    }
    void controlsStayWhereDesigned()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, x);
        QFETCH(QString, y);
        QFETCH(QString, w);
        QFETCH(QString, h);
        if (window == "form2")
            this->window->Command2_Click();
        QWidget* top = window == "form2" ? static_cast<QWidget*>(this->window->helpWindow())
                                         : this->window.get();
        QCOMPARE(top->size(), window == "form2" ? QSize(411, 172) : QSize(320, 273));
        QCOMPARE(top->windowTitle(), window == "form2" ? "Help/About" : "Mensurio");
        for (const QSize size : {QSize(700, 500), QSize(120, 90)}) {
            top->resize(size);
            QTRY_COMPARE(top->size(), size);
            QCOMPARE(::control(top, control)->geometry(),
                     QRect(x.toInt(), y.toInt(), w.toInt(), h.toInt()));
        }
    }

    void listFocusAndNothingAtStartUp()
    {
        QCOMPARE(list()->count(), kCatalogueSize);
        QVERIFY(!list()->isSortingEnabled());
        for (const QStringList& row : readCases("catalogue_rows.tsv"))
            if (row[1] != "-")
                QCOMPARE(list()->item(row[0].toInt() - 1)->text(), row[2]);
        for (const char* name : {"List1", "Command1", "Command2"})
            QVERIFY(!control(window.get(), name)->accessibleName().isEmpty());
        for (auto* button : window->findChildren<QPushButton*>())
            QVERIFY(!button->isDefault() && !button->autoDefault());
        // Focus starts on Exit, then Tab goes to the list (starting nothing) and to Help.
        QCOMPARE(QApplication::focusWidget()->objectName(), "Command1");
        QCOMPARE(started([] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }, 0),
                 QList<float>());
        QCOMPARE(QApplication::focusWidget(), list());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), "Command2");
        QCOMPARE(list()->selectedItems().size(), 0);
    }

    // Every keyboard move of the selection and every left click starts one conversion.
    void everyChoiceStartsOneConversion_data() { addCases("keys.tsv", {"actions", "started"}); }
    void everyChoiceStartsOneConversion()
    {
        QFETCH(QString, actions);
        QFETCH(QString, started);
        list()->setFocus();
        QStringList seen;
        for (const QString& action : actions.split(' ')) {
            const int row = action.section(':', 1).toInt();
            const auto step = this->started(
                [&] {
                    if (action == "help")
                        window->Command2_Click();
                    else if (action.contains(':'))
                        click(row, action.startsWith("click") ? Qt::LeftButton : Qt::RightButton);
                    else
                        QTest::keySequence(list(), QKeySequence::fromString(action));
                },
                action == "help" || action.startsWith("right") ? 0 : 1);
            for (float number : step) // an entry between first and last stands for any in between
                seen << QString::number(
                    number > 1 && number < 925 && started.contains(" 0 ") ? 0 : number);
        }
        QCOMPARE(seen.join(' '), started);
        QCOMPARE(list()->selectedItems().isEmpty(), started.isEmpty());
    }

    // The conversion cases of the flow, through the window, its list and the real boxes.
    void conversionsThroughTheWindow_data()
    {
        addCases("flow.tsv", {"name", "clicks", "answers", "boxes", "state"});
    }
    void conversionsThroughTheWindow()
    {
        QFETCH(QString, clicks);
        QFETCH(QString, answers);
        QFETCH(QString, boxes);
        std::vector<Reply> replies;
        for (const QString& answer : answers.split(';'))
            replies.push_back(answer == "<cancel>" ? Reply{{}, Reply::Escape} : Reply{answer});
        bool modal = true;
        QStringList shown;
        const Chooser reply = inOrder(replies);
        const Chooser next = [&](const SeenBox& box) {
            modal = modal &&
                    QApplication::activeModalWidget()->windowModality() == Qt::ApplicationModal;
            return box.kind == "input" ? reply(box) : std::optional(Reply{});
        };
        for (const QString& click : clicks.split(';')) {
            const auto seen = answerBoxes(
                [&] {
                    if (click.startsWith("convert:"))
                        window->conversion().Convert(click.mid(8).toFloat());
                    else if (click == "-1")
                        window->conversion().List1_Click(-1);
                    else
                        this->click(click.toInt());
                },
                next, 1);
            for (const SeenBox& box : seen)
                shown << (box.kind == "input" && box.title == "Mensurio input box" &&
                                  box.text == "Enter a value"
                              ? QStringLiteral("I")
                              : QString(box.kind == "error" ? "X:" : "M:") + box.text + "@" +
                                    box.title);
        }
        QCOMPARE(shown, expectedBoxes(boxes));
        QVERIFY(modal);
        QTRY_COMPARE(QApplication::activeWindow(), window.get());
    }

    void iconHasItsThreeImages()
    {
        const QIcon icon = applicationIcon();
        for (auto [size, mode, colours] : {std::tuple(32, QIcon::Normal, 16),
                                           {16, QIcon::Normal, 16},
                                           {32, QIcon::Disabled, 2}}) {
            const QImage image = icon.pixmap(size, mode).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            QSet<QRgb> used;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    if (qAlpha(image.pixel(x, y)))
                        used << image.pixel(x, y);
            QVERIFY(used.size() >= 2 && used.size() <= colours);
        }
    }

    void spaceAtStartOrTheCloseBoxEndsTheProgram()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(platform.ends, 1);
        QVERIFY(!window->isVisible());
        window->Form_Load();
        window->close();
        QCOMPARE(platform.ends, 2);
    }

    void helpWindow()
    {
        window->Command2_Click();
        QPointer<form2> help = window->helpWindow();
        window->Command2_Click();
        QCOMPARE(window->helpWindow(), help.data());
        QVERIFY(help->isVisible() && !help->parentWidget() && !help->isModal());
        auto* text = control<QPlainTextEdit>(help, "Text1");
        QVERIFY(!text->isReadOnly());
        const QStringList lines = form2::helpText.split("\r\n");
        for (const QStringList& expected : readCases("help_text.tsv")) {
            const QString line = lines.value(expected[0].toInt() - 1);
            QVERIFY2(expected[1].endsWith('*')
                         ? line.startsWith(expected[1].chopped(1)) && line.endsWith('.')
                         : line == expected[1],
                     qPrintable(line));
            QCOMPARE(text->document()->findBlockByNumber(expected[0].toInt() - 1).text(), line);
        }
        QCOMPARE(lines.size(), 9);
        // Exit hides and keeps the user's edits; the close box discards them.
        text->moveCursor(QTextCursor::End);
        QTest::keyClicks(text, "my note");
        QTest::mouseClick(control(help, "Command1"), Qt::LeftButton);
        QVERIFY(!help->isVisible() && window->isVisible());
        window->Command2_Click();
        QCOMPARE(window->helpWindow(), help.data());
        QVERIFY(text->toPlainText().endsWith("my note"));
        help->close();
        QTRY_VERIFY(help.isNull());
        window->Command2_Click();
        QCOMPARE(control<QPlainTextEdit>(window->helpWindow(), "Text1")->toPlainText(),
                 lines.join('\n'));
    }

    // 500 conversions through the real boxes, every kind of answer mixed in.
    void soakThroughTheRealBoxes()
    {
        std::mt19937 random(1);
        const QStringList values{"1", "2.5", "-3", "0", "1,000", "1e-7", " 42 ", "1e308"};
        long afterHundred = 0;
        for (int i = 0; i < 500; ++i) {
            const int row = int(random() % kCatalogueSize);
            const QString value = values[random() % values.size()];
            const int kind = int(random() % 4); // a value, a rejected text first, Esc, close box
            std::vector<Reply> replies{{value}, {}};
            if (kind == 1)
                replies.insert(replies.begin(), {{"1,5"}, {}});
            if (kind >= 2)
                replies = {{value, kind == 2 ? Reply::Escape : Reply::CloseBox}};
            const ConversionFlow before = window->conversion();
            const auto seen =
                answerBoxes([&] { window->conversion().List1_Click(row); }, inOrder(replies));
            QStringList titles;
            for (const SeenBox& box : seen)
                titles << box.title + "|" + box.text;
            const double product = *readNumber(value.toStdString()) * kCatalogue[row].factor;
            const QString formula = toQString(kCatalogue[row].formula);
            QStringList expected{"Mensurio input box|Enter a value"};
            if (kind == 1)
                expected << "Calvero1|Enter a value." << expected.first();
            if (kind < 2)
                expected << (std::isfinite(product)
                                 ? formula + "|" + toQString(formatNumber(product))
                                 : "Calvero1|Overflow: the result is too large to show.");
            QCOMPARE(titles, expected);
            QCOMPARE(toQString(window->conversion().formula),
                     kind < 2 ? formula : toQString(before.formula));
            QCOMPARE(window->conversion().answer,
                     kind < 2 && std::isfinite(product) ? product : before.answer);
            if (i == 100)
                afterHundred = residentKiB();
        }
        QVERIFY(!kMeasureMemory || residentKiB() - afterHundred <= 1024);
    }

    // Every naughty string typed (pasted, where no key types it) into the real input box:
    // accepted exactly when the text in the box follows the numeric rules.
    void naughtyStringsInTheRealInputBox()
    {
        int accepted = 0;
        QFile file(QStringLiteral(MENSURIO_TEST_DATA "/blns.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QString text = QString::fromUtf8(line);
            const bool typeable =
                std::all_of(text.begin(), text.end(), [](QChar c) { return c >= ' ' && c <= '~'; });
            int inputs = 0;
            const auto seen =
                answerBoxes([&] { window->conversion().List1_Click(914); },
                            [&](const SeenBox& box) {
                                if (box.kind == "input" && inputs++)
                                    return std::optional(Reply{{}, Reply::Escape});
                                return std::optional(Reply{text, Reply::Enter, !typeable});
                            });
            const bool shown = seen.back().title == "yards  to  inches";
            QVERIFY2(shown == followsNumericRules(seen.front().typed.toStdString()),
                     line.constData());
            accepted += shown;
        }
        QVERIFY(accepted >= 10);
    }

    // Last: the real end of the program stops every event loop of this process.
    void exitEndsTheEventLoop()
    {
        QtPlatform real;
        Form1 main(real);
        main.Form_Load();
        main.Command2_Click();
        QEventLoop loop;
        QTimer::singleShot(0,
                           [&] { QTest::mouseClick(control(&main, "Command1"), Qt::LeftButton); });
        QTimer::singleShot(5000, [&] { loop.exit(1); });
        QCOMPARE(loop.exec(), 0);
        QVERIFY(!main.isVisible());
    }
};

MENSURIO_WIDGET_TEST_MAIN(GuiTest)
#include "test_gui.moc"
