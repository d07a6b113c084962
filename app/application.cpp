#include "application.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QWidget>

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
    // The desktop's and screen readers' name for the program, and the X11 window class; the
    // message boxes carry the product name, kApplicationTitle, of their own.
    QApplication::setApplicationName(QStringLiteral("Mensurio"));
    QApplication::setApplicationVersion(QStringLiteral(MENSURIO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.mensurio"));
    QApplication::setWindowIcon(applicationIcon());
    // A plain top-level widget reads as a "filler" to screen readers; these are windows.
    QAccessible::installFactory(
        [](const QString& className, QObject* object) -> QAccessibleInterface* {
            return className == QStringLiteral("mensurio::Form1") ||
                           className == QStringLiteral("mensurio::form2")
                       ? new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window)
                       : nullptr;
        });
}

} // namespace mensurio
