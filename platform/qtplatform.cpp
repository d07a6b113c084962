#include "qtplatform.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QShortcut>

namespace mensurio {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

namespace {

// A box as narrow as its contents would cut its title down in a title bar ("yar...hes" for a
// result of 72, "Mens... ut box" for the input box); leave room for the title beside the window
// frame's icon and buttons.
void leaveRoomForTitle(QDialog& box)
{
    box.minimumSizeHint(); // an input box lays itself out only now
    auto* room = new QSpacerItem(box.fontMetrics().horizontalAdvance(box.windowTitle()) + 120, 0);
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(room, grid->rowCount(), 0, 1, grid->columnCount());
    else
        box.layout()->addItem(room);
}

void showMessage(QWidget* parent, QMessageBox::Icon icon, std::string_view prompt,
                 std::string_view title, std::string_view note = {})
{
    QMessageBox box(icon, toQString(title), toQString(prompt), QMessageBox::Ok, parent);
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
    leaveRoomForTitle(box);
    box.exec();
}

} // namespace

QtPlatform::QtPlatform(QWidget* dialogParent)
    : dialogParent_(dialogParent)
{}

std::optional<std::string> QtPlatform::inputBox(std::string_view prompt, std::string_view title)
{
    QInputDialog dialog(dialogParent_);
    dialog.setWindowTitle(toQString(title));
    dialog.setLabelText(toQString(prompt));
    leaveRoomForTitle(dialog);
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

void QtPlatform::endProgram()
{
    QCoreApplication::exit(0);
}

} // namespace mensurio
