#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace mensurio::testing {

// How a test answers one modal box: the text to type (or paste) into it and how to close it.
struct Reply {
    enum Close { Enter, Escape, CloseBox };
    QString type;
    Close close = Enter;
    bool paste = false; // through the clipboard, as a user brings in what no key types
};

// What a modal box showed: "input", "message" or "other"; its title and prompt text; for an
// input box, the text its field held when it was closed.
struct SeenBox {
    QString kind;
    QString title;
    QString text;
    QString typed;
};

// Answers the real modal boxes that `action` opens, as a user would: finds the active modal
// widget, types into its line edit and presses a key. A box with no reply left, or any box still
// open after the deadline, is closed and counted, so a test fails instead of hanging.
class ModalDriver {
public:
    explicit ModalDriver(std::vector<Reply> replies, int deadlineMs = 10000);
    // Chooses each reply when its box is seen; for actions that return only when done.
    explicit ModalDriver(std::function<Reply(const SeenBox&)> chooser, int deadlineMs = 10000);

    // Runs action, then keeps the event loop going until every reply is used and no box is
    // open (or the deadline passes), and at least settleMs, so late boxes are seen too.
    void run(const std::function<void()>& action, int settleMs = 0);

    std::vector<SeenBox> seen;
    int unexpected = 0; // boxes that had no reply left, or outlived the deadline
    bool timedOut = false;

private:
    void poll();

    std::vector<Reply> replies_;
    std::function<Reply(const SeenBox&)> chooser_;
    std::size_t next_ = 0;
    int deadlineMs_;
};

} // namespace mensurio::testing

// main() for tests with widgets: offscreen unless the caller chose a display platform.
#define MENSURIO_WIDGET_TEST_MAIN(TestObject)                                                      \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QApplication app(argc, argv);                                                              \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
