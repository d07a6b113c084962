#pragma once

#include "conversion/flow.h"
#include "form2.h"

#include <QWidget>

#include <memory>

class QPushButton;

namespace mensurio {

class FormulaList;
class Platform;

// The main window. A click on a formula in List1 reaches List1_Click, which hands the selected
// position to the conversion flow; the flow asks for a value, selects the catalogue row and shows
// the result through the platform's boxes, then calls Form_Load to bring this window back.
// Exit ends the program; Help shows the one help window; Ctrl+F finds a formula by its text.
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(Platform& platform);

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void List1_Click();
    void findFormula();

    // The conversion's variables (one, entry, formula, factor, answer) and Convert.
    ConversionFlow& conversion() { return flow_; }

    // The help window, or nullptr before Help is first clicked.
    form2* helpWindow() const { return form2_.get(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Platform& platform_;
    FormulaList* List1;
    QPushButton* Command1;
    QPushButton* Command2;
    ConversionFlow flow_;
    std::unique_ptr<form2> form2_; // no owner: the two windows are independent
    bool converting_ = false;
};

} // namespace mensurio
