#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace mensurio {

// The help window: an editable help text and an Exit button that only hides the window, so
// the user's edits last until the window is closed through the window system, which hides it
// too but puts the designed text back.
class form2 : public QWidget {
    Q_OBJECT
public:
    form2();

    void Command1_Click();

    static const QString helpText;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPlainTextEdit* Text1;
    QPushButton* Command1;
};

} // namespace mensurio
