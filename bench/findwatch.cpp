// Measures the find box's drop-down: opens the main window and the find box, as Ctrl+F does, and
// then, RUNS times (default 50), types one letter into the empty field, timing it from the key
// press until the drop-down has been filtered, laid out, shown and painted; Backspace empties the
// field and closes the drop-down again. The letter is "t", which every formula contains (" to "),
// so the drop-down holds all 925. Prints the time the first find takes to open its box (it builds
// the completer) and the median and slowest key.
#include "app/application.h"
#include "app/form1.h"
#include "platform/qtplatform.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void press(QWidget* widget, Qt::Key key, const QString& text = {})
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &down);
    QApplication::sendEvent(widget, &up);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    mensurio::setUpApplication();
    mensurio::QtPlatform platform;
    mensurio::Form1 window(platform);
    platform.setDialogParent(&window);
    window.Form_Load();

    QElapsedTimer clock;
    double firstFind = 0;
    std::vector<double> keys;
    int matches = 0;
    QApplication::processEvents();
    // Runs inside the find box's own event loop, once it is open.
    QTimer::singleShot(0, &window, [&] {
        firstFind = clock.nsecsElapsed() / 1e6;
        auto* box = QApplication::activeModalWidget();
        auto* field = box ? box->findChild<QLineEdit*>() : nullptr;
        if (!field || !field->completer()) {
            std::fprintf(stderr, "findwatch: Ctrl+F opened no find box with a drop-down\n");
            std::exit(1);
        }
        QAbstractItemView* dropDown = field->completer()->popup();
        field->clear();
        for (int run = 0; run < runs; ++run) {
            QApplication::processEvents();
            clock.start();
            press(field, Qt::Key_T, QStringLiteral("t"));
            dropDown->viewport()->repaint(); // painted now, not at the next turn of the loop
            keys.push_back(clock.nsecsElapsed() / 1e6);
            matches = dropDown->isVisible() ? dropDown->model()->rowCount() : 0;
            press(field, Qt::Key_Backspace);
        }
        box->close();
    });
    clock.start();
    window.findFormula(); // what Ctrl+F runs
    if (keys.empty()) {
        std::fprintf(stderr, "findwatch: Ctrl+F did not open the find box\n");
        return 1;
    }
    std::sort(keys.begin(), keys.end());
    std::printf("first Ctrl+F to find box open: %.2f ms\n", firstFind);
    std::printf("one letter to drop-down painted (%d formulas), %d keys: median %.2f ms, slowest "
                "%.2f ms\n",
                matches, runs, keys[keys.size() / 2], keys.back());
    return 0;
}
