#include "app/form1.h"
#include "app/form2.h"
#include "platform/qtplatform.h"
#include "support/modal.h"

#include <QApplication>
#include <QEventLoop>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <memory>

using namespace mensurio;
using namespace mensurio::testing;

namespace {

// The real boxes, but the end of the program is only counted, so one process runs every test.
struct CountingPlatform : QtPlatform {
    void endProgram() override { ++ends; }
    int ends = 0;
};

template <typename T = QWidget> T* child(QWidget* window, const char* name)
{
    auto* found = window->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

QListWidget* list(Form1& window)
{
    return child<QListWidget>(&window, "List1");
}

void clickEntry(Form1& window, int row, Qt::MouseButton button = Qt::LeftButton)
{
    QListWidget* entries = list(window);
    entries->scrollToItem(entries->item(row));
    QTest::mouseClick(entries->viewport(), button, {},
                      entries->visualItemRect(entries->item(row)).center());
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT
private:
    CountingPlatform platform;
    std::unique_ptr<Form1> window;

    void openWindow()
    {
        window = std::make_unique<Form1>(platform);
        platform.setDialogParent(window.get());
        window->Form_Load();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    // Runs action and answers every input box with Cancel; returns the conversion numbers that
    // were started, in order.
    QList<float> conversionsStartedBy(const std::function<void()>& action, int expected)
    {
        QList<float> started;
        std::vector<Reply> replies(expected, Reply{QString(), Reply::Escape});
        ModalDriver driver(replies);
        driver.run(action, 150);
        for (const SeenBox& box : driver.seen)
            if (box.kind == QLatin1String("input"))
                started << window->conversion().one;
        if (driver.unexpected)
            started << -1; // a box beyond what was expected
        return started;
    }

private Q_SLOTS:
    void init() { openWindow(); }
    void cleanup()
    {
        window.reset();
        platform.ends = 0;
        QVERIFY2(!QApplication::activeModalWidget(), "a box was left open");
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible(), qPrintable(top->objectName()));
    }

    void controlsSitWhereDesignedAndStayOnResize_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("List1") << "List1" << QRect(0, 0, 321, 225);
        QTest::newRow("Help") << "Command2" << QRect(144, 232, 81, 33);
        QTest::newRow("Exit") << "Command1" << QRect(232, 232, 81, 33);
        QTest::newRow("help text") << "form2/Text1" << QRect(0, 0, 409, 129);
        QTest::newRow("help Exit") << "form2/Command1" << QRect(8, 136, 393, 33);
    }
    void controlsSitWhereDesignedAndStayOnResize()
    {
        QFETCH(QString, control);
        QFETCH(QRect, geometry);
        QWidget* top = window.get();
        if (control.startsWith(QLatin1String("form2/"))) {
            window->Command2_Click();
            top = window->helpWindow();
            control = control.mid(6);
            QCOMPARE(top->size(), QSize(411, 172));
            QCOMPARE(top->windowTitle(), "Help/About");
        } else {
            QCOMPARE(top->size(), QSize(320, 273));
            QCOMPARE(top->windowTitle(), "Mensurio");
        }
        auto* widget = child(top, control.toLatin1().constData());
        for (const QSize size : {top->size(), QSize(700, 500), QSize(120, 90)}) {
            top->resize(size);
            QTRY_COMPARE(top->size(), size);
            QCOMPARE(widget->geometry(), geometry);
            QVERIFY(widget->isVisible() && widget->isEnabled());
        }
    }

    void listShowsTheCatalogueInOrder()
    {
        QListWidget* entries = list(*window);
        QCOMPARE(entries->count(), 925);
        QVERIFY(!entries->isSortingEnabled());
        QCOMPARE(entries->selectionMode(), QAbstractItemView::SingleSelection);
        const QList<QPair<int, QString>> expected{
            {0, "abampere  to  ampere"},
            {6, "acre  to  hectare or sq hectometer"},
            {203, "dyne/sq. cm  to  inch of mercury at 0\u00f8C"},
            {343, "gram-calories  to  Btu"},
            {350, "gram-centimeters  to  Btu"},
            {914, "yards  to  inches"},
            {922, "year (mean of 4 year period)  to  minute (time) "},
            {923, "year (mean of 4 year period)  to  second (time)  "},
            {924, "year (mean of 4 year period)  to  week "},
        };
        for (const auto& [row, text] : expected)
            QCOMPARE(entries->item(row)->text(), text);
    }

    void focusStartsOnExitAndTabsToListThenHelp()
    {
        QCOMPARE(QApplication::focusWidget(), child(window.get(), "Command1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child(window.get(), "List1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child(window.get(), "Command2"));
        for (const char* name : {"Command1", "Command2"}) {
            auto* button = child<QPushButton>(window.get(), name);
            QVERIFY(!button->isDefault() && !button->autoDefault());
        }
    }

    void nothingStartsAtStartUpOrWhenTheListGetsTheFocus()
    {
        const auto started = conversionsStartedBy(
            [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }, 0);
        QCOMPARE(started, QList<float>());
        QCOMPARE(list(*window)->selectedItems().size(), 0);
    }

    // Each step is a key pressed in the list; the conversion numbers it must start.
    void everyKeyboardMoveStartsOneConversion_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QList<float>>("started");
        QTest::newRow("down from nothing") << QList<int>{Qt::Key_Down} << QList<float>{1};
        QTest::newRow("home from nothing") << QList<int>{Qt::Key_Home} << QList<float>{1};
        QTest::newRow("end from nothing") << QList<int>{Qt::Key_End} << QList<float>{925};
        QTest::newRow("letter from nothing") << QList<int>{Qt::Key_Y} << QList<float>{912};
        QTest::newRow("down, down, up")
            << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Up} << QList<float>{1, 2, 1};
        QTest::newRow("end, page up, home")
            << QList<int>{Qt::Key_End, Qt::Key_PageUp, Qt::Key_Home} << QList<float>{925, -2, 1};
        QTest::newRow("no move, no conversion")
            << QList<int>{Qt::Key_Home, Qt::Key_Home, Qt::Key_Up} << QList<float>{1};
    }
    void everyKeyboardMoveStartsOneConversion()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QList<float>, started);
        QListWidget* entries = list(*window);
        entries->setFocus();
        QList<float> seen;
        for (int key : keys)
            seen << conversionsStartedBy([&] { QTest::keyClick(entries, Qt::Key(key)); }, 1);
        // -2 stands for "one conversion somewhere in between" (a page depends on the font).
        QCOMPARE(seen.size(), started.size());
        for (int i = 0; i < started.size(); ++i)
            if (started[i] != -2)
                QCOMPARE(seen[i], started[i]);
            else
                QVERIFY(seen[i] > 1 && seen[i] < 925);
    }

    void everyLeftClickStartsOneConversion()
    {
        const auto started = conversionsStartedBy(
            [&] {
                clickEntry(*window, 4);
                QTest::qWait(50);
            },
            1);
        QCOMPARE(started, QList<float>{5});
        // The same entry again is a conversion of its own.
        QCOMPARE(conversionsStartedBy([&] { clickEntry(*window, 4); }, 1), QList<float>{5});
        QCOMPARE(conversionsStartedBy([&] { clickEntry(*window, 924); }, 1), QList<float>{925});
    }

    void rightClickSelectsAndStartsNothing()
    {
        QCOMPARE(conversionsStartedBy([&] { clickEntry(*window, 3, Qt::RightButton); }, 0),
                 QList<float>());
        QCOMPARE(list(*window)->selectedItems().size(), 0);
    }

    void clickAndValueShowTheResultTitledWithTheFormula()
    {
        ModalDriver driver({Reply{"2"}, Reply{}});
        driver.run([&] { clickEntry(*window, 914); });
        QCOMPARE(driver.unexpected, 0);
        QCOMPARE(driver.seen.size(), 2u);
        QCOMPARE(driver.seen[0].title, "Mensurio input box");
        QCOMPARE(driver.seen[0].text, "Enter a value");
        QCOMPARE(driver.seen[1].title, "yards  to  inches");
        QCOMPARE(driver.seen[1].text, "72");
        QVERIFY(window->isVisible());
        QCOMPARE(QApplication::activeWindow(), window.get());
        // The keyboard goes on in the list: the next Down converts the next entry.
        QCOMPARE(QApplication::focusWidget(), list(*window));
        QCOMPARE(conversionsStartedBy(
                     [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); }, 1),
                 QList<float>{916});
    }

    void spaceRightAfterStartEndsTheProgram()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(platform.ends, 1);
        QVERIFY(!window->isVisible());
    }

    void closingTheMainWindowEndsTheProgram()
    {
        window->Command2_Click();
        window->close();
        QCOMPARE(platform.ends, 1);
    }

    void helpShowsOneWindowWithTheHelpText()
    {
        window->Command2_Click();
        form2* help = window->helpWindow();
        QVERIFY(help && help->isVisible());
        QVERIFY(!help->parentWidget());
        QVERIFY(!help->isModal());
        window->Command2_Click();
        QCOMPARE(window->helpWindow(), help);
        int helpWindows = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            helpWindows += qobject_cast<form2*>(top) != nullptr;
        QCOMPARE(helpWindows, 1);

        auto* text = child<QPlainTextEdit>(help, "Text1");
        QVERIFY(!text->isReadOnly());
        const QTextDocument* document = text->document();
        QCOMPARE(document->blockCount(), 9);
        const QStringList lines{
            "Know bugs:",
            "\tThe CANCEL button that is used on the input box doesn't work.",
            "Basic operation: ",
            "\tJust right click on the conversion formula you want to use.",
            "\tEnter the value to convert in the input box and press OK",
            "",
            "\tIf you have a question, comment or found a another problem you can ",
        };
        for (int i = 0; i < lines.size(); ++i)
            QCOMPARE(document->findBlockByNumber(i).text(), lines[i]);
        QVERIFY(
            document->findBlockByNumber(7).text().startsWith("\tcontact me via snail mail at "));
        QVERIFY(document->findBlockByNumber(7).text().endsWith('.'));
        QCOMPARE(document->findBlockByNumber(8).text(), QString());
        QCOMPARE(form2::helpText.count(QLatin1String("\r\n")), 8);
        QVERIFY(form2::helpText.endsWith(QLatin1String("\r\n")));
    }

    void helpExitKeepsEditsAndCloseBoxDiscardsThem()
    {
        window->Command2_Click();
        QPointer<form2> help = window->helpWindow();
        auto* text = child<QPlainTextEdit>(help, "Text1");
        text->setFocus();
        text->moveCursor(QTextCursor::End);
        QTest::keyClicks(text, "my note");
        QTest::mouseClick(child(help, "Command1"), Qt::LeftButton);
        QVERIFY(!help->isVisible());
        QVERIFY(window->isVisible());

        window->Command2_Click();
        QCOMPARE(window->helpWindow(), help.data());
        QVERIFY(text->toPlainText().endsWith("my note"));

        help->close();
        QTRY_VERIFY(help.isNull());
        window->Command2_Click();
        text = child<QPlainTextEdit>(window->helpWindow(), "Text1");
        QVERIFY(!text->toPlainText().contains("my note"));
        QCOMPARE(text->document()->blockCount(), 9);
    }

    void conversionRunsWhileHelpIsShown()
    {
        window->Command2_Click();
        QCOMPARE(conversionsStartedBy([&] { clickEntry(*window, 0); }, 1), QList<float>{1});
        QVERIFY(window->helpWindow()->isVisible());
    }

    // Last: the real end of the program stops every event loop of this process.
    void exitEndsTheEventLoop()
    {
        QtPlatform real;
        Form1 main(real);
        main.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        main.Command2_Click();
        QEventLoop loop;
        QTimer::singleShot(0, [&] { QTest::mouseClick(child(&main, "Command1"), Qt::LeftButton); });
        QTimer::singleShot(5000, [&] { loop.exit(1); });
        QCOMPARE(loop.exec(), 0);
        QVERIFY(!main.isVisible());
    }
};

MENSURIO_WIDGET_TEST_MAIN(WindowsTest)
#include "test_windows.moc"
