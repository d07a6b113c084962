#include "application.h"

#include "platform/qtplatform.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include <algorithm>

// XPM pictures are C arrays: compiled in, and read without an image plugin.
#include "icons/mensurio-16.xpm"
#include "icons/mensurio-32-mono.xpm"
#include "icons/mensurio-32.xpm"

namespace mensurio {

QIcon applicationIcon()
{
    QIcon icon;
    icon.addPixmap(QPixmap(mensurio_32));
    icon.addPixmap(QPixmap(mensurio_16));
    icon.addPixmap(QPixmap(mensurio_32_mono), QIcon::Disabled);
    return icon;
}

void setUpApplication()
{
    QApplication::setApplicationName(toQString(kApplicationTitle));
    QApplication::setApplicationVersion(QStringLiteral(MENSURIO_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Mensurio"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.mensurio"));
    QApplication::setWindowIcon(applicationIcon());
    // A plain top-level widget reads as a "filler" to screen readers; these are windows.
    QAccessible::installFactory(
        [](const QString& className, QObject* object) -> QAccessibleInterface* {
            return className == "mensurio::Form1" || className == "mensurio::form2"
                       ? new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window)
                       : nullptr;
        });
}

void keepOnScreen(QWidget* window)
{
    // The window manager's frame is known only around a window already shown; before one is,
    // allow for a common title bar and border.
    QMargins frame(8, 32, 8, 8);
    for (const QWidget* shown : QApplication::topLevelWidgets())
        if (shown != window && shown->isVisible())
            frame = shown->windowHandle()->frameMargins();
    const QRect wanted = window->geometry().marginsAdded(frame);
    const QScreen* screen = QGuiApplication::screenAt(wanted.center());
    const QRect area = (screen ? screen : window->screen())->availableGeometry();
    const QPoint corner(
        std::max(std::min(wanted.left(), area.right() + 1 - wanted.width()), area.left()),
        std::max(std::min(wanted.top(), area.bottom() + 1 - wanted.height()), area.top()));
    window->setGeometry({corner + QPoint(frame.left(), frame.top()), window->size()});
}

} // namespace mensurio
