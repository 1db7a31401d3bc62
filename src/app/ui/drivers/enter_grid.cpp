#include "ui/drivers/enter_grid.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace vexa {

// Gives each editor the limits of its column and tells the grid which editor is open.
class EnterGridDelegate : public QStyledItemDelegate {
  public:
    explicit EnterGridDelegate(EnterGrid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        auto* line = qobject_cast<QLineEdit*>(editor);
        const auto column = static_cast<size_t>(index.column());
        const auto& setUps = grid_.columnEditors_;
        if (line && column < setUps.size() && setUps[column]) setUps[column](*line);
        grid_.editor_ = editor;
        return editor;
    }

  private:
    EnterGrid& grid_;
};

EnterGrid::EnterGrid(int rows, int columns, QWidget* parent)
    : QTableWidget(rows, columns, parent), columnEditors_(static_cast<size_t>(columns)) {
    setItemDelegate(new EnterGridDelegate(*this));
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false); // Tab leaves the grid for the next control
}

QTableWidgetItem* EnterGrid::fixedItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

void EnterGrid::setColumnEditor(int column, std::function<void(QLineEdit&)> setUp) {
    columnEditors_.at(static_cast<size_t>(column)) = std::move(setUp);
}

void EnterGrid::finishEditing() {
    if (state() != QAbstractItemView::EditingState || !editor_) return;
    QWidget* editor = editor_;
    commitData(editor);
    QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void EnterGrid::keyPressEvent(QKeyEvent* event) {
    // A key the editor passes on (Enter, or a letter beyond the cell's length) stays with the
    // cell: Enter moves once the editor has closed, and no key jumps to another row.
    if (state() == QAbstractItemView::EditingState) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        moveOnEnter();
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void EnterGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableWidget::closeEditor(editor, hint);
    // The delegate closes an editor with this hint exactly when Enter was pressed in it.
    if (hint == QAbstractItemDelegate::SubmitModelCache) moveOnEnter();
}

void EnterGrid::moveOnEnter() {
    if (!nextOnEnter) return;
    const QModelIndex next = nextOnEnter(currentIndex());
    if (next.isValid()) setCurrentIndex(next);
}

} // namespace vexa
