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

    // Answers the open box as a user would, Ctrl+C first; a box left open trips QtTest's watchdog.
    void answer()
    {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box || !box->isActiveWindow() || box->property("seen").isValid())
            return;
        box->setProperty("seen", true);
        QWidget* focus = box->focusWidget();
        QGuiApplication::clipboard()->clear();
        QTest::keySequence(focus, QKeySequence::Copy);
        auto* input = qobject_cast<QInputDialog*>(box);
        const QString shown =
            input ? "I" + QString::number(window->conversion().one) + ":" + input->labelText()
                  : box->property("icon").toString() + ":" + QGuiApplication::clipboard()->text();
        seen << (box->windowModality() == Qt::ApplicationModal ? "" : "modeless ") + shown + "@" +
                    box->windowTitle();
        const QString reply = !input ? "" : replies.isEmpty() ? "<cancel>" : replies.takeFirst();
        for (const QChar c : reply.startsWith('<') ? "" : reply) // typed, even where no key has it
            QTest::sendKeyEvent(QTest::Click, focus, Qt::Key_unknown, c, {});
        reply == "<close>"
            ? void(box->close())
            : QTest::keyClick(focus, reply == "<cancel>" ? Qt::Key_Escape : Qt::Key_Return);
    }

private Q_SLOTS:
    void init()
    {
        connect(&answering, &QTimer::timeout, this, &GuiTest::answer, Qt::UniqueConnection);
        answering.start(0);
        window = std::make_unique<Form1>(platform);
        platform.setDialogParent(window.get());
        window->Form_Load();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup()
    {
        window.reset();
        platform.ends = 0, seen.clear();
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible(), qPrintable(top->windowTitle()));
    }

    void textsAndControlsStayAsDesigned_data() { addCases("geometry.tsv"); }
    void textsAndControlsStayAsDesigned()
    {
        QFETCH(QStringList, f); // window, control, property, value, x, y, width, height
        window->Command2_Click();
        QWidget* top = f[0] == "Form1" ? static_cast<QWidget*>(window.get()) : window->helpWindow();
        QWidget* widget = f[1].isEmpty() ? top : top->findChild<QWidget*>(f[1]);
        QCOMPARE(widget->property(qPrintable(f[2])).toString(), f[3]);
        QVERIFY(!top->parentWidget()); // no owner: the windows are independent
        for (const QSize size : {top->size(), QSize(700, 500), QSize(120, 90)}) {
            top->resize(widget == top ? top->size() : size); // a window row: its designed size
            QTRY_COMPARE(top->size(), widget == top ? top->size() : size);
            QCOMPARE(widget->geometry(),
                     QRect(f[4].toInt(), f[5].toInt(), f[6].toInt(), f[7].toInt()));
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
        replies = f[2].isEmpty() ? QStringList() : f[2].split(';');
        for (const QString& step : f[1].split(' ', Qt::SkipEmptyParts)) {
            for (const QString& part : step.split('+')) {
                const QListWidgetItem* item = list()->item(part.section(':', 1).toInt());
                list()->scrollToItem(item);
                const QPoint at = list()->visualItemRect(item).center();
                const auto button = part[0] == 'r' ? Qt::RightButton : Qt::LeftButton;
                if (auto* command = window->findChild<QPushButton*>(part))
                    QTest::mouseClick(command, Qt::LeftButton);
                else if (part.endsWith("close")) // the main window's or the help window's close box
                    part[0] == 'c' ? window->close() : window->helpWindow()->close();
                else if (part == "List1_Click")
                    window->List1_Click();
                else if (part.startsWith("convert:"))
                    window->conversion().Convert(part.mid(8).toFloat());
                else if (part.contains(':')) // click:N, right:N, dclick:N: a click, then its double
                    QTest::mouseClick(list()->viewport(), button, {}, at);
                else
                    QTest::keySequence(QApplication::focusWidget(), part);
                if (part[0] == 'd')
                    for (auto type : {QTest::MouseDClick, QTest::MouseRelease})
                        QTest::mouseEvent(type, list()->viewport(), button, {}, at);
            }
            QCoreApplication::processEvents(); // the conversion the step starts, with its boxes
            (void)QTest::qWaitFor([] { return QApplication::focusWidget(); }, 2000); // a user waits
        }
        // What the user saw, then formula@factor@answer@ends, the focus and the help text.
        const ConversionFlow& flow = window->conversion();
        const QWidget* focus = QApplication::focusWidget();
        const form2* help = window->helpWindow();
        const auto number = [](double x) { return QString::number(x, 'g', 10); };
        const QString shown =
            seen.join(';') +
            QString("|%1@%2@%3@%4@%5@%6")
                .arg(QString::fromStdString(flow.formula), number(flow.factor), number(flow.answer),
                     QString::number(platform.ends), focus ? focus->objectName() : "",
                     help ? help->findChild<QPlainTextEdit*>()->toPlainText().left(14) : "");
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
