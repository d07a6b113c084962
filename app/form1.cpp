#include "form1.h"

#include "conversion/catalogue.h"
#include "formulalist.h"
#include "platform/qtplatform.h"

#include <QCloseEvent>
#include <QCompleter>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace mensurio {

namespace {

QPushButton* makeButton(const QString& caption, const QString& name, const QRect& geometry,
                        QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    // Enter chooses the focused button, as Space does; outside a dialog no button is the
    // window's default.
    button->setAutoDefault(true);
    return button;
}

// Shows a window that may already be shown, and makes it the active one.
void showInFront(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

// Reads what is typed, and the list's texts, with one blank for a double one and "°" for "ø".
struct FormulaCompleter : QCompleter {
    using QCompleter::QCompleter;
    static QString plain(const QString& text) { return text.simplified().replace(u'ø', u'°'); }
    QStringList splitPath(const QString& path) const override { return {plain(path)}; }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && watched == popup() &&
            !popup()->currentIndex().isValid() &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::InsertParagraphSeparator))
            popup()->setCurrentIndex(completionModel()->index(0, 0)); // Enter takes the first shown
        return QCompleter::eventFilter(watched, event);
    }
};

} // namespace

Form1::Form1(Platform& platform)
    : platform_(platform)
    , List1(new FormulaList(this))
    , Command1(
          makeButton(QStringLiteral("Exit"), QStringLiteral("Command1"), {232, 232, 81, 33}, this))
    , Command2(
          makeButton(QStringLiteral("Help"), QStringLiteral("Command2"), {144, 232, 81, 33}, this))
    , flow_(platform, [this] { Form_Load(); })
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Mensurio"));
    setGeometry(256, 40, 320, 273); // client area; no layout, so controls stay put on resize
    keepOnScreen(this);

    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(0, 0, 321, 225);
    List1->setAccessibleName(QStringLiteral("Conversion formulas"));
    QStringList entries;
    entries.reserve(kCatalogueSize);
    for (const CatalogueRow& row : kCatalogue)
        entries << toQString(row.listEntry);
    List1->addItems(entries);
    for (int i = 0; i < kCatalogueSize; ++i)
        if (const auto& note = kCatalogue[std::size_t(i)].note; !note.empty()) {
            List1->item(i)->setToolTip(toQString(note));
            List1->item(i)->setData(Qt::AccessibleDescriptionRole, toQString(note));
        }

    setTabOrder(Command1, List1);
    setTabOrder(List1, Command2);
    Command1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    new QShortcut(QKeySequence::Find, this, this, &Form1::findFormula); // Ctrl+F
    // Queued, so the input box opens after the click's or key's own events are handled.
    connect(List1, &FormulaList::chosen, this, &Form1::List1_Click, Qt::QueuedConnection);
}

void Form1::Form_Load()
{
    showInFront(this);
}

void Form1::Command1_Click()
{
    hide();
    platform_.endProgram();
}

void Form1::Command2_Click()
{
    if (!form2_)
        form2_ = std::make_unique<form2>();
    showInFront(form2_.get());
}

void Form1::List1_Click()
{
    // The boxes are modal, but a choice queued just before one opened must not start a second
    // conversion inside the first.
    if (converting_)
        return;
    converting_ = true;
    flow_.List1_Click(List1->selectedRow());
    converting_ = false;
}

void Form1::findFormula()
{
    auto* completer = findChild<QCompleter*>();
    if (!completer) { // made on the first find, not at start-up
        for (int i = 0; i < List1->count(); ++i)
            List1->item(i)->setData(Qt::UserRole, FormulaCompleter::plain(List1->item(i)->text()));
        completer = new FormulaCompleter(List1->model(), this);
        completer->setCompletionRole(Qt::UserRole);
        completer->setFilterMode(Qt::MatchContains);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->popup()->setAccessibleName(QStringLiteral("Matching formulas"));
        completer->popup()->setMinimumWidth(List1->width()); // the texts as long as the list's
    }
    BesideBox<QInputDialog> box(this); // opens beside this window, as the boxes of a conversion do
    box.setWindowTitle(QStringLiteral("Find a formula"));
    box.setLabelText(QStringLiteral("Enter part of a formula"));
    fitBox(box);
    box.setTextValue(completer->completionPrefix()); // the last text, selected as the box opens
    box.findChild<QLineEdit*>()->setCompleter(completer);
    QModelIndex chosen; // the formula chosen in the drop-down, which closes the box at once
    const auto activated = qOverload<const QModelIndex&>(&QCompleter::activated);
    connect(completer, activated, &box, [&](const QModelIndex& index) { chosen = index; });
    connect(completer, activated, &box, &QDialog::accept);
    const bool typed = box.exec() == QDialog::Accepted && !box.textValue().isEmpty();
    if (!chosen.isValid()) // Enter on the typed text: the first formula the drop-down shows
        chosen = completer->completionModel()->index(0, 0);
    const auto found = List1->findItems(chosen.data().toString(), Qt::MatchExactly); // no two alike
    if (typed && found.isEmpty())
        platform_.messageBox(
            QStringLiteral("No formula contains \"%1\".").arg(box.textValue()).toStdString());
    if (!typed || found.isEmpty())
        return Form_Load(); // back to the main window, as after a cancelled conversion
    List1->setCurrentItem(found[0], QItemSelectionModel::ClearAndSelect);
    List1->scrollToItem(found[0]);
    List1->setFocus();
    Q_EMIT List1->chosen(); // converted as a click converts it
}

void Form1::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program, as Exit does: it never runs on unseen.
    event->accept();
    Command1_Click();
}

} // namespace mensurio
