#include "app/application.h"
#include "app/form1.h"
#include "app/form2.h"
#include "conversion/catalogue.h"
#include "platform/qtplatform.h"
#include "support/cases.h"
#include "support/modal.h"

#include <QClipboard>
#include <QEventLoop>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>

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
    // Makes the conversions of a flow case through the list and the real boxes; returns the boxes
    // shown, written as the case tables write them.
    QStringList convert(const QString& clicks, const QString& answers)
    {
        std::vector<Reply> replies;
        for (const QString& answer : answers.split(';'))
            replies.push_back({answer.startsWith('<') ? QString() : answer,
                               answer == "<cancel>"  ? Reply::Escape
                               : answer == "<close>" ? Reply::CloseBox
                                                     : Reply::Enter});
        const Chooser reply = inOrder(replies);
        QStringList shown;
        for (const QString& click : clicks.split(';'))
            for (const SeenBox& box : answerBoxes(
                     [&] {
                         if (click.startsWith("convert:"))
                             window->conversion().Convert(click.mid(8).toFloat());
                         else if (click == "-1")
                             window->conversion().List1_Click(-1);
                         else
                             this->click(click.toInt());
                     },
                     [&](const SeenBox& box) {
                         return box.kind == "input" ? reply(box) : std::optional(Reply{});
                     },
                     1))
                shown << (box.kind == "input" && box.title == "Mensurio input box" &&
                                  box.text == "Enter a value"
                              ? QStringLiteral("I")
                              : QString(box.kind == "error"     ? "X"
                                        : box.kind == "message" ? "M"
                                                                : box.kind) +
                                    ":" + box.text + "@" + box.title);
        return shown;
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

    void controlsStayWhereDesigned_data() { addCases("geometry.tsv"); }
    void controlsStayWhereDesigned()
    {
        const auto [window, control, x, y, w, h] = fields<6>();
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
    void everyChoiceStartsOneConversion_data() { addCases("keys.tsv"); }
    void everyChoiceStartsOneConversion()
    {
        const auto [actions, started] = fields<2>();
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

    // The conversion cases of the flow, through the window, its list and the real boxes; the
    // window is active again after each.
    void conversionsThroughTheWindow_data() { addCases("flow.tsv"); }
    void conversionsThroughTheWindow()
    {
        const auto [name, clicks, answers, boxes, after] = fields<5>();
        QCOMPARE(convert(clicks, answers), expectedBoxes(boxes));
        QCOMPARE(state(window->conversion()), state(after));
        QTRY_COMPARE(QApplication::activeWindow(), window.get());
    }

    // A result can be copied from its box: a click into the text, then Ctrl+A, Ctrl+C.
    void resultCanBeCopied()
    {
        QGuiApplication::clipboard()->clear();
        const Chooser copy = [](const SeenBox& box) {
            QWidget* const dialog = QApplication::activeModalWidget();
            for (auto* label : dialog->findChildren<QLabel*>())
                if (box.kind == "message" && label->text() == box.text) {
                    QTest::mouseClick(label, Qt::LeftButton);
                    for (const auto key : {QKeySequence::SelectAll, QKeySequence::Copy})
                        QTest::keySequence(dialog->focusWidget() ? dialog->focusWidget() : dialog,
                                           key);
                }
            return std::optional(Reply{"2"});
        };
        answerBoxes([&] { click(914); }, copy, 2);
        QCOMPARE(QGuiApplication::clipboard()->text(), "72");
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
        QVERIFY(!control<QPushButton>(help, "Command1")->autoDefault());
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
        window->Command2_Click();
        QCOMPARE(window->helpWindow(), help.data());
        QCOMPARE(control<QPlainTextEdit>(window->helpWindow(), "Text1")->toPlainText(),
                 lines.join('\n'));
    }

    // 500 conversions in one window: the flow cases over and over, every kind of answer among
    // them. A case's state is checked where it ends with a result; else the answer is older.
    void soakThroughTheRealBoxes()
    {
        const QList<QStringList> cases = readCases("flow.tsv");
        long afterHundred = 0;
        for (int conversions = 0, i = 0; conversions < 500; ++i) {
            const QStringList& c = cases[i % cases.size()];
            if (c[1] == "-1")
                continue; // its result box is titled with the formula before it
            afterHundred = conversions < 100 ? residentKiB() : afterHundred;
            conversions += int(c[1].count(';')) + 1;
            QCOMPARE(convert(c[1], c[2]), expectedBoxes(c[3]));
            if (c[3].section(';', -1).startsWith("M:"))
                QCOMPARE(state(window->conversion()), state(c[4]));
        }
        QVERIFY(residentKiB() - afterHundred <= 1024);
    }

    // Every naughty string typed (pasted, where no key types it) into the real input box:
    // accepted exactly when the text in the box follows the numeric rules.
    void naughtyStringsInTheRealInputBox()
    {
        int accepted = 0;
        for (const QByteArray& line : dataLines("blns.txt")) {
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
