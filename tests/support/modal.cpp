#include "modal.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

namespace mensurio::testing {

namespace {

void answer(QWidget* box, const Chooser& chooser, std::vector<SeenBox>& seen)
{
    box->setProperty("answeredByTest", true);
    SeenBox record{QStringLiteral("message"), box->windowTitle(), {}, {}};
    if (auto* input = qobject_cast<QInputDialog*>(box))
        record = {QStringLiteral("input"), box->windowTitle(), input->labelText(), {}};
    else if (auto* message = qobject_cast<QMessageBox*>(box))
        record = {message->icon() == QMessageBox::Critical ? QStringLiteral("error") : record.kind,
                  box->windowTitle(),
                  message->text(),
                  {}};
    if (box->windowModality() != Qt::ApplicationModal)
        record.kind.prepend(QStringLiteral("modeless "));
    const std::optional<Reply> reply = chooser(record);
    if (!reply) {
        record.kind = QStringLiteral("unexpected");
        seen.push_back(record);
        box->close();
        return;
    }
    QWidget* target = box->focusWidget() ? box->focusWidget() : box;
    if (auto* field = box->findChild<QLineEdit*>()) {
        if (reply->paste) {
            QGuiApplication::clipboard()->setText(reply->type);
            QTest::keySequence(field, QKeySequence::Paste);
        } else {
            QTest::keyClicks(field, reply->type);
        }
        record.typed = field->text();
        target = field; // Enter and Esc reach the dialog through the field
    }
    seen.push_back(record);
    if (reply->close == Reply::CloseBox)
        box->close();
    else
        QTest::keyClick(target, reply->close == Reply::Enter ? Qt::Key_Return : Qt::Key_Escape);
}

} // namespace

std::vector<SeenBox> answerBoxes(const std::function<void()>& action, const Chooser& chooser,
                                 std::size_t boxes, int settleMs)
{
    std::vector<SeenBox> seen;
    QElapsedTimer clock;
    clock.start();
    QTimer poller;
    QObject::connect(&poller, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (box && clock.elapsed() > 10000) {
            seen.push_back({QStringLiteral("timeout"), box->windowTitle(), {}, {}});
            box->close();
        } else if (box && box->isVisible() && !box->property("answeredByTest").toBool()) {
            answer(box, chooser, seen);
        }
    });
    poller.start(2);
    action();
    while (!(seen.size() >= boxes && !QApplication::activeModalWidget() &&
             clock.elapsed() >= settleMs) &&
           clock.elapsed() < 11000)
        QTest::qWait(2);
    return seen;
}

Chooser inOrder(std::vector<Reply> replies)
{
    return [replies = std::move(replies), next = std::size_t{0}](const SeenBox&) mutable {
        return next < replies.size() ? std::optional(replies[next++]) : std::nullopt;
    };
}

} // namespace mensurio::testing
