#include "formulalist.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace mensurio {

FormulaList::FormulaList(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true); // 925 rows of one height: no per-row measuring at start-up
    setSortingEnabled(false);  // position p is conversion number p + 1
}

int FormulaList::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

// Item views select on the press, with any button, follow the mouse while it is held and
// clear the selection on a press below the last entry. Here only the release decides: the
// selection changes when the left button goes up on the entry it went down on.
void FormulaList::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    pressed_ = event->button() == Qt::LeftButton ? index : QModelIndex();
    event->accept();
}

void FormulaList::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() != Qt::NoButton)
        event->accept();
    else
        QListWidget::mouseMoveEvent(event);
}

void FormulaList::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    const bool click = index.isValid() && index == pressed_;
    pressed_ = QModelIndex();
    if (click) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        Q_EMIT chosen();
    }
}

void FormulaList::keyPressEvent(QKeyEvent* event)
{
    const int before = selectedRow();
    // Enter converts the selected entry again, as a click on it does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && before >= 0) {
        Q_EMIT chosen();
        return;
    }
    // Qt makes the first row current when the list gets the focus; with nothing selected, a key
    // must start from the top (Down or Home selects the first entry, a letter searches from it).
    if (before < 0)
        selectionModel()->clearCurrentIndex();
    QListWidget::keyPressEvent(event);
    const int after = selectedRow();
    if (after >= 0 && after != before)
        Q_EMIT chosen();
}

QModelIndex FormulaList::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (!currentIndex().isValid() && count() > 0)
        return model()->index(action == MoveEnd ? count() - 1 : 0, 0);
    return QListWidget::moveCursor(action, modifiers);
}

QItemSelectionModel::SelectionFlags FormulaList::selectionCommand(const QModelIndex& index,
                                                                  const QEvent* event) const
{
    // Ctrl+Space would deselect the selected entry; it selects it again instead.
    const auto command = QListWidget::selectionCommand(index, event);
    return command & QItemSelectionModel::Deselect ? QItemSelectionModel::ClearAndSelect : command;
}

} // namespace mensurio
