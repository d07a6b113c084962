#pragma once

#include <QApplication>
#include <QString>
#include <QTest>

#include <functional>
#include <optional>
#include <vector>

namespace mensurio::testing {

// How a test answers a modal box: what to type (or paste) into it, and how to close it.
struct Reply {
    enum Close { Enter, Escape, CloseBox };
    QString type;
    Close close = Enter;
    bool paste = false; // through the clipboard, as a user brings in what no key types
};

// A box as the user saw it. kind: "input", "message", "error" (a message with the error icon),
// each prefixed "modeless " unless application-modal; "unexpected" (closed, as no reply was
// meant for it) or "timeout" (still open at the deadline); typed: the input field's final text.
struct SeenBox {
    QString kind, title, text, typed;
};

using Chooser = std::function<std::optional<Reply>(const SeenBox&)>;

// Runs action and answers the real modal boxes it opens, as a user would: the active modal
// widget is found, its field typed into, a key pressed. Returns when `boxes` boxes were seen,
// none is open and settleMs have passed; a box still open after 10 s is closed, so a test fails
// instead of hanging.
std::vector<SeenBox> answerBoxes(const std::function<void()>& action, const Chooser& chooser,
                                 std::size_t boxes = 0, int settleMs = 0);

// The replies in order; any box beyond them is unexpected.
Chooser inOrder(std::vector<Reply> replies);

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
