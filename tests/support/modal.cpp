#include "modal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace mensurio::testing {

namespace {

constexpr const char* kAnsweredProperty = "answeredByTest";

} // namespace

ModalDriver::ModalDriver(std::vector<Reply> replies, int deadlineMs)
    : replies_(std::move(replies))
    , deadlineMs_(deadlineMs) {}

void ModalDriver::run(const std::function<void()>& action, int settleMs) {
    QElapsedTimer clock;
    clock.start();
    QTimer poller;
    poller.setInterval(2);
    QObject::connect(&poller, &QTimer::timeout, [&] {
        if (clock.elapsed() > deadlineMs_) {
            timedOut = true;
            if (QWidget* box = QApplication::activeModalWidget()) {
                ++unexpected;
                box->close();
            }
            return;
        }
        poll();
    });
    poller.start();
    action();
    const auto done = [&] {
        return timedOut || (next_ == replies_.size() && !QApplication::activeModalWidget() &&
                            clock.elapsed() >= settleMs);
    };
    while (!done())
        QTest::qWait(2);
    QCoreApplication::processEvents();
}

void ModalDriver::poll() {
    QWidget* box = QApplication::activeModalWidget();
    if (!box || !box->isVisible() || box->property(kAnsweredProperty).toBool())
        return;
    box->setProperty(kAnsweredProperty, true);

    SeenBox record{QStringLiteral("other"), box->windowTitle(), {}};
    if (auto* input = qobject_cast<QInputDialog*>(box))
        record = {QStringLiteral("input"), box->windowTitle(), input->labelText()};
    else if (auto* message = qobject_cast<QMessageBox*>(box))
        record = {QStringLiteral("message"), box->windowTitle(), message->text()};
    seen.push_back(record);

    if (next_ == replies_.size()) {
        ++unexpected;
        box->close();
        return;
    }
    const Reply reply = replies_[next_++];
    if (auto* field = box->findChild<QLineEdit*>()) {
        field->setFocus();
        QTest::keyClicks(field, reply.type);
    }
    QWidget* target = box->focusWidget() ? box->focusWidget() : box;
    switch (reply.close) {
    case Reply::Enter:
        QTest::keyClick(target, Qt::Key_Return);
        break;
    case Reply::Escape:
        QTest::keyClick(target, Qt::Key_Escape);
        break;
    case Reply::CloseBox:
        box->close();
        break;
    }
}

} // namespace mensurio::testing
