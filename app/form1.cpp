#include "form1.h"

#include "conversion/catalogue.h"
#include "formulalist.h"
#include "platform/qtplatform.h"

#include <QCloseEvent>
#include <QPushButton>

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

void Form1::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program, as Exit does: it never runs on unseen.
    event->accept();
    Command1_Click();
}

} // namespace mensurio
