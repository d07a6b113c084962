#include "qtplatform.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QShortcut>

namespace mensurio {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

namespace {

void showMessage(QWidget* parent, QMessageBox::Icon icon, std::string_view prompt,
                 std::string_view title)
{
    QMessageBox box(icon, toQString(title), toQString(prompt), QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    // Users copy results into other programs: the text stays selectable, and Ctrl+C copies it
    // whole wherever the focus is (OK has it when the box opens); Enter still closes.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QObject::connect(new QShortcut(QKeySequence::Copy, &box), &QShortcut::activated,
                     [&box] { QGuiApplication::clipboard()->setText(box.text()); });
    // The title names the conversion; a box only as wide as "72" would cut it down to "yar...hes"
    // in the title bar. Leave room for it, with the window frame's icon and buttons.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int width = box.fontMetrics().horizontalAdvance(box.windowTitle()) + 120;
        grid->addItem(new QSpacerItem(width, 0), grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.exec();
}

} // namespace

QtPlatform::QtPlatform(QWidget* dialogParent)
    : dialogParent_(dialogParent)
{}

std::optional<std::string> QtPlatform::inputBox(std::string_view prompt, std::string_view title)
{
    QInputDialog dialog(dialogParent_);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(toQString(title));
    dialog.setLabelText(toQString(prompt));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().toStdString();
}

void QtPlatform::messageBox(std::string_view prompt, std::string_view title)
{
    showMessage(dialogParent_, QMessageBox::NoIcon, prompt, title);
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
