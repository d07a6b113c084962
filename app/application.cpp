#include "application.h"

#include "platform/qtplatform.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

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
}

} // namespace mensurio
