#include "conversion/flow.h"
#include "platform/qtplatform.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    mensurio::QtPlatform platform;
    mensurio::ConversionFlow flow(platform);
    flow.List1_Click(914);
    return 0;
}
