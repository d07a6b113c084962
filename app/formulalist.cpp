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
    // A left click on an entry, the selected one included; a double click is one click.
    connect(this, &QAbstractItemView::clicked, this, &FormulaList::chosen);
}

int FormulaList::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void FormulaList::mousePressEvent(QMouseEvent* event)
{
    // Item views select on any button, and a press below the last entry clears the selection;
    // only the left button on an entry chooses a formula here.
    if (event->button() != Qt::LeftButton || !indexAt(event->position().toPoint()).isValid()) {
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
}

void FormulaList::mouseMoveEvent(QMouseEvent* event)
{
    // Dragging with the button held would move the selection to an entry nobody clicked.
    if (event->buttons() != Qt::NoButton) {
        event->accept();
        return;
    }
    QListWidget::mouseMoveEvent(event);
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
    // Ctrl+click and Ctrl+Space would deselect the selected entry; they select it again instead.
    const auto command = QListWidget::selectionCommand(index, event);
    return command & QItemSelectionModel::Deselect ? QItemSelectionModel::ClearAndSelect : command;
}

} // namespace mensurio
