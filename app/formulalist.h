#pragma once

#include <QListWidget>
#include <QPersistentModelIndex>

namespace mensurio {

// The list of formulas. It reports a user's choice the way the conversion needs it: once for
// every click on an entry (the same entry again included), once for every keyboard move of the
// selection and once for Enter on the selected entry, never for a right click, a drag or the
// focus arriving. A click is a press and a release of the left button on one entry; no other
// gesture changes the selection, so the selected entry is always the one last chosen. The mouse
// buttons and Enter are handled here alone: the view's pressed, clicked, doubleClicked and
// activated signals and their item counterparts never fire; connect to chosen.
class FormulaList : public QListWidget {
    Q_OBJECT
public:
    explicit FormulaList(QWidget* parent = nullptr);

    // The 0-based position of the selected entry, -1 when none is selected.
    int selectedRow() const;

Q_SIGNALS:
    void chosen();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    QPersistentModelIndex pressed_; // the entry under the left button's press, if any
};

} // namespace mensurio
