#include "platform/qtplatform.h"
#include "support/modal.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace mensurio;
using namespace mensurio::testing;

class QtPlatformTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->windowTitle()));
    }

    void inputBoxReturnsTheTypedTextOrCancel_data()
    {
        QTest::addColumn<Reply>("reply");
        QTest::addColumn<std::optional<std::string>>("result");
        QTest::newRow("ok") << Reply{"12.5"} << std::optional<std::string>("12.5");
        QTest::newRow("ok on nothing") << Reply{""} << std::optional<std::string>("");
        QTest::newRow("unicode") << Reply{"0\u00f8C"}
                                 << std::optional<std::string>("0\xc3\xb8"
                                                               "C");
        QTest::newRow("escape") << Reply{"12", Reply::Escape} << std::optional<std::string>();
        QTest::newRow("close box") << Reply{"12", Reply::CloseBox} << std::optional<std::string>();
    }
    void inputBoxReturnsTheTypedTextOrCancel()
    {
        QFETCH(Reply, reply);
        QFETCH(std::optional<std::string>, result);
        QtPlatform platform;
        ModalDriver driver({reply});
        std::optional<std::string> typed = "untouched";
        driver.run([&] { typed = platform.inputBox("Enter a value", "Mensurio input box"); });
        QCOMPARE(driver.unexpected, 0);
        QCOMPARE(driver.seen.size(), 1u);
        QCOMPARE(driver.seen[0].kind, "input");
        QCOMPARE(driver.seen[0].title, "Mensurio input box");
        QCOMPARE(driver.seen[0].text, "Enter a value");
        QCOMPARE(typed, result);
    }

    void messageBoxesCarryTheirTitle_data()
    {
        QTest::addColumn<int>("call");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("no title") << 0 << "Calvero1"
                                  << "Enter a value.";
        QTest::newRow("number") << 1 << "yards  to  inches"
                                << "72";
        QTest::newRow("error") << 2 << "Calvero1"
                               << "Overflow";
    }
    void messageBoxesCarryTheirTitle()
    {
        QFETCH(int, call);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QtPlatform platform;
        ModalDriver driver({Reply{}});
        driver.run([&] {
            if (call == 0)
                platform.messageBox("Enter a value.");
            else if (call == 1)
                platform.messageBox(2.0 * 36.0, "yards  to  inches");
            else
                platform.reportError("Overflow");
        });
        QCOMPARE(driver.unexpected, 0);
        QCOMPARE(driver.seen.size(), 1u);
        QCOMPARE(driver.seen[0].kind, "message");
        QCOMPARE(driver.seen[0].title, title);
        QCOMPARE(driver.seen[0].text, text);
    }

    // While a box is open no other window takes input, and its text can be copied.
    void boxesAreApplicationModalAndSelectable()
    {
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QtPlatform platform;
        bool checked = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->windowModality(), Qt::ApplicationModal);
            QVERIFY(box->textInteractionFlags() & Qt::TextSelectableByMouse);
            QVERIFY(box->textInteractionFlags() & Qt::TextSelectableByKeyboard);
            checked = true;
        });
        ModalDriver driver({Reply{}});
        driver.run([&] { platform.messageBox("1", "t"); });
        QVERIFY(checked);
        other.hide();
    }
};

MENSURIO_WIDGET_TEST_MAIN(QtPlatformTest)
#include "test_qtplatform.moc"
