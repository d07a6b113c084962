#include "application.h"
#include "form1.h"
#include "platform/qtplatform.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    mensurio::setUpApplication();
    mensurio::QtPlatform platform;
    mensurio::Form1 window(platform);
    platform.setDialogParent(&window);
    window.Form_Load();
    return QApplication::exec();
}
