#include "app/application.h"
#include "app/form1.h"
#include "cases.h"
#include "platform/qtplatform.h"

#include <QtWidgets>

using namespace mensurio;

// Where a box opened against the main window's frame: "below" or "above" it, touching it and
// centred on it; "right" or "left" of it, touching it with the tops level; "over" it, centred;
// else its side and how far off that place it is ("below off by 0,60"). A centre may lie a pixel
// off where the two sizes differ by an odd number of pixels.
QString where(const QRect& at, const QRect& main, const QRect& area)
{
    const QPoint centre = at.center() - main.center(), level(0, at.top() - main.top());
    const QList<std::tuple<QString, bool, QPoint, QPoint>> sides{
        // side, lies there, off, slack
        {"off", !area.contains(at), {}, {}},
        {"below", at.top() > main.bottom(), {centre.x(), at.top() - main.bottom() - 1}, {1, 0}},
        {"above", at.bottom() < main.top(), {centre.x(), main.top() - at.bottom() - 1}, {1, 0}},
        {"right", at.left() > main.right(), level + QPoint(at.left() - main.right() - 1, 0), {}},
        {"left", at.right() < main.left(), level + QPoint(main.left() - at.right() - 1, 0), {}},
        {"over", true, centre, {1, 1}}};
    for (const auto& [side, lies, off, slack] : sides)
        if (lies && qAbs(off.x()) <= slack.x() && qAbs(off.y()) <= slack.y())
            return side;
        else if (lies)
            return QString("%1 off by %2,%3").arg(side).arg(off.x()).arg(off.y());
    return {};
}

class GuiTest : public QObject {
    Q_OBJECT
    struct : QtPlatform { // the real boxes; ends only counted, so that one process runs every case
        void endProgram() override { ++ends; }
        int ends = 0;
    } platform;
    std::unique_ptr<Form1> window;
    QStringList replies, seen, places, probes; // what input boxes get, and what was seen
    const int robot = startTimer(0); // timerEvent: between any two events, in the boxes' loops too
    QStringList screens;             // the first screen of each data/screens-*.json

    QListWidget* list() { return window->findChild<QListWidget*>("List1"); }

    void timerEvent(QTimerEvent*) override // answers an active box as windows.tsv says a user does
    {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box || !box->isActiveWindow())
            return;
        if (box->property("seen").isValid()) { // its answer closed it at once, or it fails its case
            seen << "left open:" + box->windowTitle();
            box->done(QDialog::Rejected);
            return;
        }
        box->setProperty("seen", true);
        auto* input = qobject_cast<QInputDialog*>(box);
        QString reply = input ? "<cancel>" : "";
        if (!replies.isEmpty() && (input || replies[0] == "<select>"))
            reply = replies.takeFirst();
        if (!input && reply == "<select>")
            box->findChild<QLabel*>("qt_msgbox_label")->setSelection(0, 1);
        QWidget* focus = box->focusWidget();
        QGuiApplication::clipboard()->clear(); // a copy that does nothing leaves nothing
        QTest::keySequence(focus, QKeySequence::Copy);
        places << where(box->frameGeometry(), window->frameGeometry(),
                        window->screen()->availableGeometry());
        const QString title = box->windowTitle(),
                      note = box->property("informativeText").toString();
        // A title bar needs room for the title, and for the frame's icon and buttons.
        const bool narrow = box->width() < box->fontMetrics().horizontalAdvance(title) + 120;
        seen << QString("%1:%2@%3%4%5")
                    .arg(input ? "I" + QString::number(window->conversion().one)
                               : box->property("icon").toString(),
                         input ? input->labelText() : QGuiApplication::clipboard()->text(),
                         narrow ? "narrow:" : "", title, note.isEmpty() ? "" : " (" + note + ")");
        // "<N blanks>" stands for N blanks. A reply comes in one event, as a paste does, with
        // characters that no key has too.
        const auto blanks = QRegularExpression("^<(\\d+) blanks>").match(reply);
        if (blanks.hasMatch())
            reply.replace(0, blanks.capturedLength(), QString(blanks.captured(1).toInt(), ' '));
        if (!reply.isEmpty() && !reply.startsWith('<'))
            QTest::sendKeyEvent(QTest::Click, focus, Qt::Key_unknown, reply, {});
        if (reply == "<close>") // the close box
            box->close();
        else
            QTest::keyClick(focus, reply == "<cancel>" ? Qt::Key_Escape : Qt::Key_Return);
    }

    // Does one step of windows.tsv as a user does; says why where it cannot.
    QString act(const QString& part)
    {
        const QString action = part.section(':', 0, 0);
        const int n = part.section(':', 1).toInt(), height = list()->viewport()->height();
        const QListWidgetItem* item = list()->item(n - 1);
        list()->scrollToItem(item);
        const int last = list()->visualItemRect(list()->item(list()->count() - 1)).bottom();
        const QPoint at = item ? list()->visualItemRect(item).center()
                               : QPoint(9, (last + height) / 2); // below the last entry
        const int mouse = QStringList{"press", "release", "click", "double", "move"}.indexOf(
            action.section(QRegularExpression("ctrl|right"), -1)); // QTest::MouseAction
        if (mouse >= 0 && !item && !(n == 926 && last < at.y() && at.y() < height))
            return "no entry, or no room below the last one in sight";
        QWidget* top = part.contains("form2") ? window->helpWindow() : list()->window();
        if (!top)
            return "the help window was never opened";
        if (action == "probe") { // a property, the accessible role, the geometry
            const QString name = part.section('=', 0, 0).section(QRegularExpression("[:.]"), -1);
            QWidget* w = top->objectName() == name ? top : top->findChild<QWidget*>(name);
            if (!w)
                return "no widget " + name;
            if (top->parentWidget())
                return "the window has an owner, where the windows are independent";
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
            QTest::mouseEvent(QTest::MouseAction(mouse), list()->viewport(),
                              action.startsWith("right") ? Qt::RightButton : Qt::LeftButton,
                              action.startsWith("ctrl") ? Qt::ControlModifier : Qt::NoModifier, at);
        else {
            const QKeySequence keys(QString(part).replace('-', '+'));
            const int key = keys[0].key(); // QtTest types ASCII and the editing and moving keys
            if ((key < Qt::Key_Space || key > Qt::Key_AsciiTilde) &&
                (key < Qt::Key_Escape || key > Qt::Key_Direction_R))
                return "unknown step, or a key that QtTest cannot type";
            if (!QApplication::focusWidget())
                return "no window has the keyboard";
            QTest::keySequence(QApplication::focusWidget(), keys);
        }
        return {};
    }

private Q_SLOTS:
    void initTestCase()
    {
        setUpApplication();
        for (const QFileInfo& name : QDir(TEST_DATA).entryInfoList({"screens-*.json"})) {
            QFile file(name.filePath());
            QVERIFY(file.open(QIODevice::ReadOnly));
            screens << QJsonDocument::fromJson(file.readAll())["screens"][0]["name"].toString();
        }
        QVERIFY2(screens.contains(QGuiApplication::primaryScreen()->name()),
                 "runs offscreen on a screens-*.json: QT_QPA_PLATFORM=offscreen:configfile=FILE");
    }
    void boxesOfAnyLayout() // as a later Qt may lay a box out: without a layout, unfitted
    {
        QDialog bare, boxed;
        new QVBoxLayout(&boxed);
        fitBox(bare);
        fitBox(boxed);
        QCOMPARE(boxed.layout()->count(), 1); // the room for the title
    }
    // This run's rows, and any row that names a screen no run has (tests/CMakeLists.txt runs the
    // first screen of each data/screens-*.json), or has more or fewer columns than the header.
    void windows_data()
    {
        const QString screen = QGuiApplication::primaryScreen()->name();
        QTest::addColumn<QStringList>("f");
        const QList<QStringList> rows = table("cases/windows.tsv"); // the header first
        for (const QStringList& row : rows.mid(1))
            if (row[0] == screen || !screens.contains(row[0]) || row.size() != rows[0].size())
                QTest::newRow(qPrintable(row.value(1).left(60))) << row;
    }
    void windows()
    {
        QFETCH(QStringList, f); // screen, name, steps, replies, then what follows (windows.tsv)
        const QStringList columns = table("cases/windows.tsv")[0];
        QVERIFY2(f.size() == columns.size() && f[0] == QGuiApplication::primaryScreen()->name(),
                 "a row has the header's columns, and a screen that a run has");
        replies = f[3].isEmpty() ? QStringList() : f[3].split(';');
        seen = places = probes = {};
        platform.ends = 0;
        window = std::make_unique<Form1>(platform);
        platform.setDialogParent(window.get());
        window->Form_Load();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        for (const QString& step : f[2].split(' ', Qt::SkipEmptyParts)) {
            for (const QString& part : step.split('+')) {
                const QString refused = act(part);
                QVERIFY2(refused.isEmpty(), qPrintable(part + ": " + refused));
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
        for (int i = 0; i < shown.size(); ++i) { // check cuts its message at 1,000 characters
            const QString expected = f[i + 4], pattern = QRegularExpression::escape(expected);
            if (shown[i].contains(QRegularExpression(QRegularExpression::anchoredPattern(
                    QString(pattern).replace("\\*", "[^;@]*")))))
                continue;
            differ << columns[i + 4];
            qWarning().noquote() << QString("%1: expected %2\n%1: seen     %3")
                                        .arg(columns[i + 4], expected, shown[i]);
        }
        QVERIFY2(differ.isEmpty(), qPrintable("these columns differ: " + differ.join(", ")));
    }
};

QTEST_MAIN(GuiTest)
#include "test_gui.moc"
