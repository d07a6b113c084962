// The toolkit's floor for the start-up benchmark: the main window's size, one list entry and two
// buttons, nothing else.
#include <QApplication>
#include <QListWidget>
#include <QPushButton>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Reference"));
    window.setGeometry(256, 40, 320, 273);
    auto* list = new QListWidget(&window);
    list->setGeometry(0, 0, 321, 225);
    list->addItem(QStringLiteral("abampere  to  ampere"));
    (new QPushButton(QStringLiteral("Help"), &window))->setGeometry(144, 232, 81, 33);
    (new QPushButton(QStringLiteral("Exit"), &window))->setGeometry(232, 232, 81, 33);
    window.show();
    return QApplication::exec();
}
