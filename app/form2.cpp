#include "form2.h"

#include "platform/qtplatform.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace mensurio {

const QString form2::helpText =
    QStringLiteral("Know bugs:\r\n"
                   "\tThe CANCEL button that is used on the input box doesn't work.\r\n"
                   "Basic operation: \r\n"
                   "\tJust right click on the conversion formula you want to use.\r\n"
                   "\tEnter the value to convert in the input box and press OK\r\n"
                   "\r\n"
                   "\tIf you have a question, comment or found a another problem you can \r\n"
                   "\tcontact me via snail mail at Mensurio, 1 Example Lane, Sampleton.\r\n");

form2::form2()
    : Text1(new QPlainTextEdit(helpText, this))
    , Command1(new QPushButton(QStringLiteral("Exit"), this))
{
    setObjectName(QStringLiteral("form2"));
    setWindowTitle(QStringLiteral("Help/About"));
    setGeometry(306, 440, 411, 172);
    keepOnScreen(this);

    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(0, 0, 409, 129);
    // Lines wrap, and a vertical scroll bar shows when the text runs past the box in a larger
    // font than the one it was written for.
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setTabChangesFocus(true);
    Text1->setTabStopDistance(4 * Text1->fontMetrics().averageCharWidth());
    Text1->setAccessibleName(QStringLiteral("Help text"));

    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(8, 136, 393, 33);
    Command1->setAutoDefault(true); // Enter chooses it when it has the focus, as Space does
    Command1->setAccessibleName(QStringLiteral("Exit help"));

    setTabOrder(Text1, Command1);
    Text1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &form2::Command1_Click);
}

void form2::Command1_Click()
{
    hide();
}

void form2::closeEvent(QCloseEvent* event)
{
    // The window lives as long as the program; closing it discards the user's edits only.
    Text1->setPlainText(helpText);
    QWidget::closeEvent(event);
}

} // namespace mensurio
