#include "modal.h"

#include <QApplication>
#include <QClipboard>
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
    , deadlineMs_(deadlineMs)
{}

ModalDriver::ModalDriver(std::function<Reply(const SeenBox&)> chooser, int deadlineMs)
    : chooser_(std::move(chooser))
    , deadlineMs_(deadlineMs)
{}

void ModalDriver::run(const std::function<void()>& action, int settleMs)
{
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
        const bool repliesUsed = chooser_ || next_ == replies_.size();
        return timedOut ||
               (repliesUsed && !QApplication::activeModalWidget() && clock.elapsed() >= settleMs);
    };
    while (!done())
        QTest::qWait(2);
    QCoreApplication::processEvents();
}

void ModalDriver::poll()
{
    QWidget* box = QApplication::activeModalWidget();
    if (!box || !box->isVisible() || box->property(kAnsweredProperty).toBool())
        return;
    box->setProperty(kAnsweredProperty, true);

    SeenBox record{QStringLiteral("other"), box->windowTitle(), {}, {}};
    if (auto* input = qobject_cast<QInputDialog*>(box)) {
        record.kind = QStringLiteral("input");
        record.text = input->labelText();
    } else if (auto* message = qobject_cast<QMessageBox*>(box)) {
        record.kind = QStringLiteral("message");
        record.text = message->text();
    }

    if (!chooser_ && next_ == replies_.size()) {
        seen.push_back(record);
        ++unexpected;
        box->close();
        return;
    }
    const Reply reply = chooser_ ? chooser_(record) : replies_[next_++];
    QWidget* target = box->focusWidget() ? box->focusWidget() : box;
    if (auto* field = box->findChild<QLineEdit*>()) {
        field->setFocus();
        if (reply.paste) {
            QGuiApplication::clipboard()->setText(reply.type);
            QTest::keySequence(field, QKeySequence::Paste);
        } else {
            QTest::keyClicks(field, reply.type);
        }
        record.typed = field->text();
        target = field; // Enter and Esc reach the dialog through the field, as typed
    }
    seen.push_back(record);
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
