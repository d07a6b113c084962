#include "app/application.h"
#include "app/form1.h"
#include "cases.h"
#include "platform/qtplatform.h"

#include <QtWidgets>

using namespace mensurio;

class GuiTest : public QObject {
    Q_OBJECT
    // The real boxes; the end of the program only counted, so that one process runs every test.
    struct : QtPlatform {
        void endProgram() override { ++ends; }
        int ends = 0;
    } platform;
    std::unique_ptr<Form1> window;
    QStringList replies, seen, places, probes; // what input boxes get, and what was seen
    QTimer answering;

    QListWidget* list() { return window->findChild<QListWidget*>("List1"); }

    // Answers a box once it is active, as windows.tsv says a user does.
    void answer()
    {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box || !box->isActiveWindow() || box->property("seen").isValid())
            return;
        box->setProperty("seen", true);
        auto* input = qobject_cast<QInputDialog*>(box);
        const bool takes = !replies.isEmpty() && (input || replies[0] == "<select>");
        const QString reply = takes ? replies.takeFirst() : input ? "<cancel>" : "";
        if (!input && reply == "<select>")
            box->findChild<QLabel*>("qt_msgbox_label")->setSelection(0, 1);
        QWidget* focus = box->focusWidget();
        QGuiApplication::clipboard()->clear();
        QTest::keySequence(focus, QKeySequence::Copy);
        const QRect main = window->frameGeometry(), at = box->frameGeometry();
        places << (!window->screen()->availableGeometry().contains(at) ? "off"
                   : at.top() > main.bottom()                          ? "below"
                   : at.bottom() < main.top()                          ? "above"
                   : at.left() > main.right()                          ? "right"
                   : at.right() < main.left()                          ? "left"
                                                                       : "over");
        // A title bar needs room for the title beside the frame's icon and buttons.
        const QString title = box->windowTitle(),
                      note = box->property("informativeText").toString();
        const bool narrow = box->width() < box->fontMetrics().horizontalAdvance(title) + 120;
        seen << QString("%1:%2@%3%4%5")
                    .arg(input ? "I" + QString::number(window->conversion().one)
                               : box->property("icon").toString(),
                         input ? input->labelText() : QGuiApplication::clipboard()->text(),
                         narrow ? "narrow:" : "", title, note.isEmpty() ? "" : " (" + note + ")");
        for (const QChar c : reply.startsWith('<') ? "" : reply) // typed, even where no key has it
            QTest::sendKeyEvent(QTest::Click, focus, Qt::Key_unknown, c, {});
        QTest::keyClick(focus, reply == "<cancel>" ? Qt::Key_Escape : Qt::Key_Return);
    }

private Q_SLOTS:
    void initTestCase()
    {
        setUpApplication();
        connect(&answering, &QTimer::timeout, this, &GuiTest::answer);
        answering.start(0);
    }
    void init()
    {
        platform.ends = 0;
        seen = places = probes = {};
        window = std::make_unique<Form1>(platform);
        platform.setDialogParent(window.get());
        window->Form_Load();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    void windows_data() { addCases("windows.tsv", {}, QGuiApplication::primaryScreen()->name()); }
    void windows()
    {
        QFETCH(QStringList, f); // name, steps, replies, then what follows (windows.tsv)
        replies = f[2].isEmpty() ? QStringList() : f[2].split(';');
        for (const QString& step : f[1].split(' ', Qt::SkipEmptyParts)) {
            for (const QString& part : step.split('+')) {
                const QString action = part.section(':', 0, 0);
                const QListWidgetItem* item = list()->item(part.section(':', 1).toInt() - 1);
                list()->scrollToItem(item);
                const QPoint at = item ? list()->visualItemRect(item).center()
                                       : QPoint(9, list()->viewport()->height() - 3); // below all
                const int mouse =
                    QStringList{"press", "release", "click", "double", "move"}.indexOf(
                        QString(action).remove("ctrl").remove("right")); // as in QTest::MouseAction
                QWidget* top = part.contains("form2") ? window->helpWindow() : list()->window();
                if (action == "probe") { // a property, the accessible role, the geometry
                    const QString name =
                        part.section('=', 0, 0).section(QRegularExpression("[:.]"), -1);
                    QWidget* w = top->objectName() == name ? top : top->findChild<QWidget*>(name);
                    QVERIFY(w && !top->parentWidget()); // no owner: the windows are independent
                    const QRect r = w->geometry();
                    probes << QString::asprintf(
                        "%s %s %d,%d %dx%d",
                        qPrintable(w->property(qPrintable(part.section('=', 1))).toString()),
                        QMetaEnum::fromType<QAccessible::Role>().valueToKey(
                            QAccessible::queryAccessibleInterface(w)->role()),
                        r.x(), r.y(), r.width(), r.height());
                } else if (action == "place") // the main window moved by the user
                    window->move(part.section(':', 1).section(',', 0, 0).toInt(),
                                 part.section(',', 1).toInt());
                else if (auto* command = window->findChild<QPushButton*>(part))
                    QTest::mouseClick(command, Qt::LeftButton);
                else if (part.endsWith("close")) // the main window's or the help window's close box
                    top->close();
                else if (mouse >= 0)
                    QTest::mouseEvent(
                        QTest::MouseAction(mouse), list()->viewport(),
                        action.startsWith("right") ? Qt::RightButton : Qt::LeftButton,
                        action.startsWith("ctrl") ? Qt::ControlModifier : Qt::NoModifier, at);
                else
                    QTest::keySequence(QApplication::focusWidget(),
                                       QString(part).replace('-', '+'));
            }
            // The conversion the step queued, then the activation its end or Help asks for.
            for (int i = 0; i < 3; ++i)
                QCoreApplication::processEvents();
        }
        const ConversionFlow& flow = window->conversion();
        const QWidget* focus = QApplication::focusWidget();
        const auto* text =
            window->helpWindow() ? window->helpWindow()->findChild<QPlainTextEdit*>() : nullptr;
        const QListWidgetItem* entry = list()->selectedItems().value(0);
        const QString shown =
            QString("%1\t%2\t%3\t%4\t%5\t%6\t%7\t%8\t%9\t")
                .arg(seen.join(';'), places.join(' '), QString::fromStdString(flow.formula),
                     QString::number(flow.factor, 'g', 10), QString::number(flow.answer, 'g', 10),
                     QString::fromStdString(flow.entry), QString::number(platform.ends),
                     focus ? focus->objectName() : "",
                     !entry ? ""
                            : entry->text() + "|" + entry->toolTip() + "|" +
                                  entry->data(Qt::AccessibleDescriptionRole).toString()) +
            (!text || !text->isVisible()
                 ? ""
                 : text->toPlainText().left(14) +
                       (text->verticalScrollBar()->isVisible() ? " scrolls" : "") +
                       (text->horizontalScrollBar()->maximum() ? " cut" : "")) +
            "\t" + probes.join(';');
        const QRegularExpression expected(QRegularExpression::anchoredPattern(
            QRegularExpression::escape(f.mid(3).join('\t')).replace("\\*", "[^;@\t]*")));
        QVERIFY2(expected.match(shown).hasMatch(),
                 qPrintable(shown + "\n!~ " + f.mid(3).join('\t')));
        QCOMPARE(entry ? list()->row(entry) + 1 : 0, flow.one);
        QVERIFY(!entry || list()->currentItem() == entry);
    }
};

QTEST_MAIN(GuiTest)
#include "test_gui.moc"
