#include "qtplatform.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QShortcut>
#include <QWindow>

#include <algorithm>
#include <limits>

namespace mensurio {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMargins frameMargins()
{
    for (const QWidget* shown : QApplication::topLevelWidgets())
        if (shown->isVisible() && shown->windowType() == Qt::Window)
            return shown->windowHandle()->frameMargins();
    return {8, 32, 8, 8};
}

void fitBox(QDialog& box)
{
    if (box.parentWidget())
        box.move(box.parentWidget()->pos());
    box.minimumSizeHint(); // an input box lays itself out only now
    if (!box.layout())     // laid out otherwise by a later Qt: opened unfitted
        return;
    auto* room = new QSpacerItem(box.fontMetrics().horizontalAdvance(box.windowTitle()) + 120, 0);
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(room, grid->rowCount(), 0, 1, grid->columnCount());
    else
        box.layout()->addItem(room);
}

namespace {

void showMessage(QWidget* parent, QMessageBox::Icon icon, std::string_view prompt,
                 std::string_view title, std::string_view note = {})
{
    BesideBox<QMessageBox> box(icon, toQString(title), toQString(prompt), QMessageBox::Ok, parent);
    box.setInformativeText(toQString(note));
    // Users copy results into other programs: the text stays selectable, and Ctrl+C copies the
    // selection, or else the whole text, wherever the focus is (OK has it when the box opens);
    // Enter still closes.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QObject::connect(new QShortcut(QKeySequence::Copy, &box), &QShortcut::activated, [&box] {
        QString copied = box.text();
        for (const QLabel* label : box.findChildren<QLabel*>())
            if (label->hasSelectedText())
                copied = label->selectedText();
        QGuiApplication::clipboard()->setText(copied);
    });
    fitBox(box);
    box.exec();
}

} // namespace

std::optional<std::string> QtPlatform::inputBox(std::string_view prompt, std::string_view title)
{
    BesideBox<QInputDialog> dialog(dialogParent_);
    dialog.setWindowTitle(toQString(title));
    dialog.setLabelText(toQString(prompt));
    fitBox(dialog);
    // A paste longer than a field's usual 32,767 characters is read whole, never cut short.
    if (auto* field = dialog.findChild<QLineEdit*>())
        field->setMaxLength(std::numeric_limits<int>::max());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().toStdString();
}

void QtPlatform::messageBox(std::string_view prompt, std::string_view title, std::string_view note)
{
    showMessage(dialogParent_, QMessageBox::NoIcon, prompt, title, note);
}

void QtPlatform::reportError(std::string_view message)
{
    showMessage(dialogParent_, QMessageBox::Critical, message, kApplicationTitle);
}

void keepOnScreen(QWidget* window, std::optional<QPoint> frameCorner)
{
    const QMargins frame = frameMargins();
    const QRect wanted(frameCorner.value_or(window->pos() - QPoint(frame.left(), frame.top())),
                       window->size().grownBy(frame));
    const QScreen* screen = QGuiApplication::screenAt(wanted.center());
    const QRect area = (screen ? screen : window->screen())->availableGeometry();
    const QPoint corner(
        std::max(std::min(wanted.left(), area.right() + 1 - wanted.width()), area.left()),
        std::max(std::min(wanted.top(), area.bottom() + 1 - wanted.height()), area.top()));
    window->setGeometry({corner + QPoint(frame.left(), frame.top()), window->size()});
}

void QtPlatform::endProgram()
{
    QCoreApplication::exit(0);
}

} // namespace mensurio
