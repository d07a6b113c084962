#include "app/application.h"
#include "app/form1.h"
#include "cases.h"
#include "platform/qtplatform.h"

#include <QtWidgets>

using namespace mensurio;

class GuiTest : public QObject {
    Q_OBJECT
    struct : QtPlatform { // the real boxes; ends only counted, so that one process runs every case
        void endProgram() override { ++ends; }
        int ends = 0;
    } platform;
    std::unique_ptr<Form1> window;
    QStringList replies, seen, places, probes; // what input boxes get, and what was seen
    const int robot = startTimer(0); // timerEvent: between any two events, in the boxes' loops too

    QListWidget* list() { return window->findChild<QListWidget*>("List1"); }

    void timerEvent(QTimerEvent*) override // answers an active box as windows.tsv says a user does
    {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box || !box->isActiveWindow())
            return;
        if (box->property("seen").isValid()) // its answer closed it at once, or it fails its case
            return seen << "left open:" + box->windowTitle(), box->done(QDialog::Rejected);
        box->setProperty("seen", true);
        auto* input = qobject_cast<QInputDialog*>(box);
        const bool takes = !replies.isEmpty() && (input || replies[0] == "<select>");
        const QString reply = takes ? replies.takeFirst() : input ? "<cancel>" : "";
        if (!input && reply == "<select>")
            box->findChild<QLabel*>("qt_msgbox_label")->setSelection(0, 1);
        QWidget* focus = box->focusWidget();
        QTest::keySequence(focus, QKeySequence::Copy);
        const QRect main = window->frameGeometry(), at = box->frameGeometry(),
                    area = window->screen()->availableGeometry();
        const bool centred = qAbs(at.center().x() - main.center().x()) <= 1, // below, above, over
            level = at.top() == main.top();                                  // right, left
        places << (!area.contains(at)                    ? "off"
                   : at.top() > main.bottom() && centred ? "below"
                   : at.bottom() < main.top() && centred ? "above"
                   : at.left() > main.right() && level   ? "right"
                   : at.right() < main.left() && level   ? "left"
                   : at.intersects(main)                 ? "over"
                                                         : "shifted");
        const QString title = box->windowTitle(), // a title bar needs room for icon and buttons too
            note = box->property("informativeText").toString();
        const bool narrow = box->width() < box->fontMetrics().horizontalAdvance(title) + 120;
        seen << QString("%1:%2@%3%4%5")
                    .arg(input ? "I" + QString::number(window->conversion().one)
                               : box->property("icon").toString(),
                         input ? input->labelText() : QGuiApplication::clipboard()->text(),
                         narrow ? "narrow:" : "", title, note.isEmpty() ? "" : " (" + note + ")");
        for (const QChar c : reply.startsWith('<') ? "" : reply) // typed, even where no key has it
            QTest::sendKeyEvent(QTest::Click, focus, Qt::Key_unknown, c, {});
        if (reply == "<close>") // the close box
            box->close();
        else
            QTest::keyClick(focus, reply == "<cancel>" ? Qt::Key_Escape : Qt::Key_Return);
    }

private Q_SLOTS:
    void initTestCase() { setUpApplication(); }
    void windows_data() { addCases("windows.tsv", {}, QGuiApplication::primaryScreen()->name()); }
    void windows()
    {
        QFETCH(QStringList, f); // name, steps, replies, then what follows (windows.tsv)
        const QStringList columns = table("cases/windows.tsv")[0]; // the header, a screen of none
        replies = f[2].isEmpty() ? QStringList() : f[2].split(';');
        seen = places = probes = {};
        platform.ends = 0;
        window = std::make_unique<Form1>(platform);
        platform.setDialogParent(window.get());
        window->Form_Load();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        for (const QString& step : f[1].split(' ', Qt::SkipEmptyParts)) {
            for (const QString& part : step.split('+')) {
                const QString action = part.section(':', 0, 0);
                const int n = part.section(':', 1).toInt(), height = list()->viewport()->height();
                const QListWidgetItem* item = list()->item(n - 1);
                list()->scrollToItem(item);
                const int last = list()->visualItemRect(list()->item(list()->count() - 1)).bottom();
                const QPoint at = item ? list()->visualItemRect(item).center()
                                       : QPoint(9, (last + height) / 2); // below the last entry
                const int mouse =
                    QStringList{"press", "release", "click", "double", "move"}.indexOf(
                        action.section(QRegularExpression("ctrl|right"), -1)); // QTest::MouseAction
                QVERIFY2(mouse < 0 || item || (n == 926 && last < at.y() && at.y() < height),
                         qPrintable("no entry, or no room below the last one in sight: " + part));
                QWidget* top = part.contains("form2") ? window->helpWindow() : list()->window();
                if (action == "probe") { // a property, the accessible role, the geometry
                    const QString name =
                        part.section('=', 0, 0).section(QRegularExpression("[:.]"), -1);
                    QWidget* w = top->objectName() == name ? top : top->findChild<QWidget*>(name);
                    QVERIFY(w && !top->parentWidget()); // no owner: the windows are independent
                    QDebug(&probes.emplace_back()).noquote().nospace()
                        << w->property(qPrintable(part.section('=', 1))).toString() << ' '
                        << QAccessible::queryAccessibleInterface(w)->role() << ' ' << w->geometry();
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
                else {
                    const QKeySequence keys(QString(part).replace('-', '+'));
                    QVERIFY2(keys[0].key() != Qt::Key_unknown, qPrintable("unknown step " + part));
                    QTest::keySequence(QApplication::focusWidget(), keys);
                }
            }
            for (int i = 0; i < 3; ++i) // the conversion queued, then the activation Help asks for
                QCoreApplication::processEvents();
        }
        const ConversionFlow& flow = window->conversion();
        const QWidget* focus = QApplication::focusWidget();
        const QListWidgetItem* entry = list()->currentItem(); // shown where selected too
        const QStringList shown =
            QStringList() << seen.join(';') << places.join(' ')
                          << QString::fromStdString(flow.formula)
                          << QString::number(flow.factor, 'g', 10)
                          << QString::number(flow.answer, 'g', 10)
                          << QString::fromStdString(flow.entry) << QString::number(platform.ends)
                          << (focus ? focus->objectName() : "")
                          << (entry && entry->isSelected()
                                  ? entry->text() + "|" + entry->toolTip() + "|" +
                                        entry->data(Qt::AccessibleDescriptionRole).toString()
                                  : "")
                          << probes.join(';');
        QStringList differ; // column by column, where "*" stands for any text; in full, as a failed
        for (int i = 0; i < shown.size(); ++i) // check cuts its message at 1,000 characters
            if (!shown[i].contains(QRegularExpression(QRegularExpression::anchoredPattern(
                    QRegularExpression::escape(f.value(i + 3)).replace("\\*", "[^;@]*")))))
                qWarning().noquote()
                    << QString("%1: expected %2\n%1: seen     %3")
                           .arg((differ << columns[i + 4]).last(), f.value(i + 3), shown[i]);
        QVERIFY2(differ.isEmpty(), qPrintable("these columns differ: " + differ.join(", ")));
    }
};

QTEST_MAIN(GuiTest)
#include "test_gui.moc"
