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
    QRect inputBox;            // where the last one opened
    QTimer answering;
    QElapsedTimer open; // since the open box was first found

    QListWidget* list() { return window->findChild<QListWidget*>("List1"); }

    // Answers the open box as a user would, Ctrl+C first (after selecting the first character of
    // a result where the next answer is <select>). A box left open for three seconds fails its row
    // and is closed, so that the next rows still run.
    void answer()
    {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (box && !box->property("open").isValid()) {
            box->setProperty("open", true);
            open.start();
        }
        if (box && open.hasExpired(3000)) {
            seen << "left open:" + box->windowTitle();
            return box->reject();
        }
        if (!box || !box->isActiveWindow() || box->property("seen").isValid())
            return;
        box->setProperty("seen", true);
        QWidget* focus = box->focusWidget();
        auto* input = qobject_cast<QInputDialog*>(box);
        if (input)
            inputBox = box->geometry();
        else if (replies.value(0) == "<select>") {
            replies.removeFirst();
            box->findChild<QLabel*>("qt_msgbox_label")->setSelection(0, 1);
        }
        QGuiApplication::clipboard()->clear();
        QTest::keySequence(focus, QKeySequence::Copy);
        const QString note = box->property("informativeText").toString(),
                      title = box->windowTitle();
        // The title bar needs room for the title beside the frame's icon and buttons.
        const bool narrow = box->width() < box->fontMetrics().horizontalAdvance(title) + 120;
        seen << (input ? "I" + QString::number(window->conversion().one) + ":" + input->labelText()
                       : box->property("icon").toString() + ":" +
                             QGuiApplication::clipboard()->text()) +
                    "@" + (narrow ? "narrow:" : "") + title +
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
        platform.ends = 0;
        seen.clear();
        inputBox = {};
        window = std::make_unique<Form1>(platform);
        platform.setDialogParent(window.get());
        window->Form_Load();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() // no box is left open
    {
        QVERIFY2(!seen.join(';').contains("left open:"), qPrintable(seen.join(';')));
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible() || top == window.get() || top == window->helpWindow(),
                     qPrintable(top->windowTitle()));
        window.reset();
    }

    // On the screens of this run (tests/CMakeLists.txt gives each run its own).
    void windowsAndControls_data()
    {
        QStringList screens;
        for (const QScreen* s : QGuiApplication::screens())
            screens << QString::asprintf("%d,%d %dx%d at %g", s->geometry().x(), s->geometry().y(),
                                         s->size().width(), s->size().height(),
                                         s->devicePixelRatio());
        addCases("windows.tsv", {}, screens.join("; "));
    }
    void windowsAndControls()
    {
        QFETCH(QStringList, f); // window or window.control, property, value, x, y, width, height
        window->Command2_Click();
        window->List1_Click(); // an input box, cancelled
        const QRect main = window->frameGeometry();
        if (f[0] == "input") { // beside the main window, on its screen
            QVERIFY(window->screen()->availableGeometry().contains(inputBox));
            QCOMPARE(inputBox.top() > main.bottom()   ? "below"
                     : inputBox.bottom() < main.top() ? "above"
                     : inputBox.left() > main.right() ? "right"
                                                      : "over",
                     f.value(2));
            return;
        }
        QWidget* top =
            f[0].startsWith("Form1") ? window.get() : static_cast<QWidget*>(window->helpWindow());
        QWidget* widget = f[0].contains('.') ? top->findChild<QWidget*>(f[0].section('.', 1)) : top;
        QVERIFY(widget && !top->parentWidget()); // no owner: the windows are independent
        QCOMPARE(widget->property(qPrintable(f[1])).toString(), f.value(2));
        QCOMPARE(QAccessible::queryAccessibleInterface(top)->role(), QAccessible::Window);
        const QRect designed(f.value(3).toInt(), f.value(4).toInt(), f.value(5).toInt(),
                             f.value(6).toInt());
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
                         row.value(2) + "|" + row.value(4) + "|" + row.value(4));
    }

    // Keys, clicks and conversions as a user makes them, through the list and the real boxes.
    void conversions_data() { addCases("conversions.tsv"); }
    void conversions()
    {
        QFETCH(QStringList, f); // name, steps, answers, then what follows (conversions.tsv)
        const QStringList mouseActions{"press", "release", "click", "double", "move"};
        replies = f.value(2).isEmpty() ? QStringList() : f[2].split(';');
        for (const QString& step : f.value(1).split(' ', Qt::SkipEmptyParts)) {
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
                else if (QWidget* focus = QApplication::focusWidget())
                    QTest::keySequence(focus, QString(part).replace('-', '+'));
                else
                    QFAIL("a key with no widget focused");
            }
            // The conversion the step queued, with its boxes; then the activation that the end of
            // a conversion or Help asks the window system for.
            for (int i = 0; i < 3; ++i)
                QCoreApplication::processEvents();
        }
        // What the user saw, then each field of the state; a "*" matches within one box or field.
        const ConversionFlow& flow = window->conversion();
        const QWidget* focus = QApplication::focusWidget();
        const form2* help = window->helpWindow();
        const auto* text = help ? help->findChild<QPlainTextEdit*>() : nullptr;
        const auto number = [](double x) { return QString::number(x, 'g', 10); };
        const auto selected = list()->selectedItems();
        const QString helpText =
            !text || !text->isVisible()
                ? ""
                : text->toPlainText().left(14) +
                      (text->verticalScrollBar()->isVisible() ? " scrolls" : "") +
                      (text->horizontalScrollBar()->maximum() ? " cut" : "");
        const QString shown =
            QString("%1\t%2\t%3\t%4\t%5\t%6\t%7")
                .arg(seen.join(';'), QString::fromStdString(flow.formula), number(flow.factor),
                     number(flow.answer), number(platform.ends), focus ? focus->objectName() : "",
                     helpText);
        const QRegularExpression expected(QRegularExpression::anchoredPattern(
            QRegularExpression::escape(f.mid(3).join('\t')).replace("\\*", "[^;@\t]*")));
        QVERIFY2(expected.match(shown).hasMatch(),
                 qPrintable(shown + "\n!~ " + f.mid(3).join('\t')));
        QCOMPARE(selected.isEmpty() ? 0 : list()->row(selected[0]) + 1, flow.one); // converted last
        QVERIFY(selected.isEmpty() || list()->currentItem() == selected[0]);
    }

    // The handler that ends the program runs on, but nothing it queues is handled and a box it
    // opens returns at once.
    void endProgramHandlesNothingItsHandlerQueues()
    {
        QObject context; // the timers end with this test
        int queued = 0, box = -1;
        QTimer::singleShot(0, &context, [&] {
            QTimer::singleShot(0, &context, [&] { ++queued; });
            QtPlatform().endProgram();
            QTimer::singleShot(0, &context, [&] { ++queued; });
            box = QInputDialog().exec();
        });
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(queued, 0);
        QCOMPARE(box, int(QDialog::Rejected));
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
