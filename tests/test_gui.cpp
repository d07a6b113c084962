#include "app/application.h"
#include "app/form1.h"
#include "cases.h"
#include "platform/qtplatform.h"

#include <QtWidgets>

using namespace mensurio;

class GuiTest : public QObject {
    Q_OBJECT
    // The real boxes; the end of the program is only counted, so one process runs every test.
    struct : QtPlatform {
        void endProgram() override { ++ends; }
        int ends = 0;
    } platform;
    std::unique_ptr<Form1> window;
    QStringList replies, seen; // what the next input boxes get; the boxes, as the table writes them
    QTimer answering;

    QListWidget* list() { return window->findChild<QListWidget*>("List1"); }

    // Answers the open box as a user would, Ctrl+C first (after selecting the first character of
    // a result where the next answer is <select>); a box left open trips QtTest's watchdog.
    void answer()
    {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box || !box->isActiveWindow() || box->property("seen").isValid())
            return;
        box->setProperty("seen", true);
        QWidget* focus = box->focusWidget();
        auto* input = qobject_cast<QInputDialog*>(box);
        if (!input && replies.value(0) == "<select>")
            replies.removeFirst(), box->findChild<QLabel*>("qt_msgbox_label")->setSelection(0, 1);
        QGuiApplication::clipboard()->clear();
        QTest::keySequence(focus, QKeySequence::Copy);
        const QString note = box->property("informativeText").toString(),
                      title = box->windowTitle();
        const QString shown =
            input ? "I" + QString::number(window->conversion().one) + ":" + input->labelText()
                  : box->property("icon").toString() + ":" + QGuiApplication::clipboard()->text();
        // The title bar needs room for the title beside the frame's icon and buttons.
        const bool narrow = box->width() < box->fontMetrics().horizontalAdvance(title) + 120;
        seen << shown + "@" + (narrow ? "narrow:" : "") + title +
                    (note.isEmpty() ? "" : " (" + note + ")");
        const QString reply = !input ? "" : replies.isEmpty() ? "<cancel>" : replies.takeFirst();
        for (const QChar c : reply.startsWith('<') ? "" : reply) // typed, even where no key has it
            QTest::sendKeyEvent(QTest::Click, focus, Qt::Key_unknown, c, {});
        reply == "<close>"
            ? void(box->close())
            : QTest::keyClick(focus, reply == "<cancel>" ? Qt::Key_Escape : Qt::Key_Return);
    }

private Q_SLOTS:
    void initTestCase() { setUpApplication(); }
    void init()
    {
        connect(&answering, &QTimer::timeout, this, &GuiTest::answer, Qt::UniqueConnection);
        answering.start(0);
        platform.ends = 0, seen.clear();
        window = std::make_unique<Form1>(platform);
        platform.setDialogParent(window.get());
        window->Form_Load();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() // no box is left open
    {
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible() || top == window.get() || top == window->helpWindow(),
                     qPrintable(top->windowTitle()));
        window.reset();
    }

    void textsAndControlsStayAsDesigned_data() { addCases("geometry.tsv"); }
    void textsAndControlsStayAsDesigned()
    {
        QFETCH(QStringList, f); // window, control, property, value, x, y, width, height[, x, y]
        window->Command2_Click();
        QWidget* top = f[0] == "Form1" ? static_cast<QWidget*>(window.get()) : window->helpWindow();
        QWidget* widget = f[1].isEmpty() ? top : top->findChild<QWidget*>(f[1]);
        QCOMPARE(widget->property(qPrintable(f[2])).toString(), f[3]);
        QVERIFY(!top->parentWidget()); // no owner: the windows are independent
        QCOMPARE(QAccessible::queryAccessibleInterface(top)->role(), QAccessible::Window);
        const int x =
            top->screen()->size().width() < 800 && f.size() > 8 ? 8 : 4; // twice the scale
        const QRect designed(f[x].toInt(), f[x + 1].toInt(), f[6].toInt(), f[7].toInt());
        QCOMPARE(widget->geometry(), designed);
        for (const QSize size : {QSize(700, 500), QSize(120, 90)})
            if (widget != top) { // controls stay put however the window is resized
                top->resize(size);
                QTRY_COMPARE(top->size(), size);
                QCOMPARE(widget->geometry(), designed);
            }
    }

    void listShowsTheCatalogueWithItsNotes()
    {
        for (const QStringList& row : table("cases/catalogue_rows.tsv"))
            if (const QListWidgetItem* item = list()->item(row[0].toInt() - 1); row[1] != "-")
                QCOMPARE(item->text() + "|" + item->toolTip() + "|" +
                             item->data(Qt::AccessibleDescriptionRole).toString(),
                         row[2] + "|" + row.value(4) + "|" + row.value(4));
    }

    // Keys, clicks and conversions as a user makes them, through the list and the real boxes.
    void conversions_data() { addCases("conversions.tsv"); }
    void conversions()
    {
        QFETCH(QStringList, f); // name, steps, answers, boxes, state, focus, help text
        const QStringList mouseActions{"press", "release", "click", "double", "move"};
        replies = f[2].isEmpty() ? QStringList() : f[2].split(';');
        for (const QString& step : f[1].split(' ', Qt::SkipEmptyParts)) {
            for (const QString& part : step.split('+')) {
                const QListWidgetItem* item = list()->item(part.section(':', 1).toInt());
                list()->scrollToItem(item);
                const QPoint at = item ? list()->visualItemRect(item).center()
                                       : QPoint(9, list()->viewport()->height() - 3); // below all
                const auto button = part.startsWith("right") ? Qt::RightButton : Qt::LeftButton;
                const auto keys = part.startsWith("ctrl") ? Qt::ControlModifier : Qt::NoModifier;
                if (auto* command = window->findChild<QPushButton*>(part))
                    QTest::mouseClick(command, Qt::LeftButton);
                else if (part.endsWith("close")) // the main window's or the help window's close box
                    part[0] == 'c' ? window->close() : window->helpWindow()->close();
                else if (part == "List1_Click")
                    window->List1_Click();
                else if (part.startsWith("convert:"))
                    window->conversion().Convert(part.mid(8).toFloat());
                else if (part.contains(':')) // in the order of QTest::MouseAction
                    QTest::mouseEvent(QTest::MouseAction(mouseActions.indexOf(
                                          part.section(':', 0, 0).remove("ctrl").remove("right"))),
                                      list()->viewport(), button, keys, at);
                else
                    QTest::keySequence(QApplication::focusWidget(),
                                       QString(part).replace('-', '+'));
            }
            QCoreApplication::processEvents(); // the conversion the step starts, with its boxes
            (void)QTest::qWaitFor([] { return QApplication::focusWidget(); }, 2000); // a user waits
        }
        // What the user saw, then formula@factor@answer@ends, the focus and the help text shown.
        const ConversionFlow& flow = window->conversion();
        const QWidget* focus = QApplication::focusWidget();
        const form2* help = window->helpWindow();
        const auto* text = help && help->isVisible() ? help->findChild<QPlainTextEdit*>() : nullptr;
        const auto number = [](double x) { return QString::number(x, 'g', 10); };
        const QString shown =
            seen.join(';') +
            QString("|%1@%2@%3@%4@%5@%6")
                .arg(QString::fromStdString(flow.formula), number(flow.factor), number(flow.answer),
                     QString::number(platform.ends), focus ? focus->objectName() : "",
                     text ? text->toPlainText().left(14) +
                                (text->verticalScrollBar()->isVisible() ? " scrolls" : "") +
                                (text->horizontalScrollBar()->maximum() ? " cut" : "")
                          : "");
        const QRegularExpression expected(
            QRegularExpression::wildcardToRegularExpression(f[3] + "|" + f.mid(4).join('@')));
        QVERIFY2(expected.match(shown).hasMatch(), qPrintable(shown + " !~ " + expected.pattern()));
        QCOMPARE(list()->selectedItems().isEmpty() ? 0 : list()->currentRow() + 1, flow.one);
    }

    void iconHasItsThreeImages() // 32 and 16 pixels, and a 32-pixel disabled image
    {
        QCOMPARE(applicationIcon().availableSizes() +
                     applicationIcon().availableSizes(QIcon::Disabled),
                 (QList<QSize>{{32, 32}, {16, 16}, {32, 32}}));
    }
};

QTEST_MAIN(GuiTest)
#include "test_gui.moc"
