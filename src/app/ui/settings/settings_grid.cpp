#include "ui/settings/settings_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include <algorithm>

namespace vexa {

namespace {

// Cells typed in a line edit of limited length.
class LimitedCellDelegate : public QStyledItemDelegate {
  public:
    LimitedCellDelegate(int maxLength, QObject* parent)
        : QStyledItemDelegate(parent), maxLength_(maxLength) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setMaxLength(maxLength_);
        return editor;
    }

  private:
    int maxLength_;
};

} // namespace

SettingsGrid::SettingsGrid(const char* name, int rows, std::initializer_list<Column> columns,
                           QWidget* parent)
    : QTableWidget(rows, static_cast<int>(columns.size()), parent) {
    setObjectName(QString::fromLatin1(name));
    QStringList headers;
    int column = 0;
    for (const Column& c : columns) headers << QString::fromLatin1(c.header);
    setHorizontalHeaderLabels(headers);
    // At least as wide as the header's caption, whatever the font.
    for (const Column& c : columns) {
        const int caption =
            horizontalHeader()->fontMetrics().horizontalAdvance(QString::fromLatin1(c.header)) + 12;
        setColumnWidth(column++, std::max(c.width, caption));
    }
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    for (int row = 0; row < rows; ++row)
        for (int c = 0; c < columnCount(); ++c) {
            auto* item = new QTableWidgetItem;
            if (c == 0) item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            setItem(row, c, item);
        }
}

void SettingsGrid::setMaxCellLength(int characters) {
    if (characters > 0) setItemDelegate(new LimitedCellDelegate(characters, this));
}

void SettingsGrid::setDragRows(bool on) {
    dragRows_ = on;
    setEditTriggers(on ? QAbstractItemView::NoEditTriggers
                       : QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                             QAbstractItemView::EditKeyPressed);
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    for (int row = 0; row < rowCount(); ++row)
        for (int c = 1; c < columnCount(); ++c)
            if (QTableWidgetItem* cell = item(row, c))
                cell->setFlags(on ? Qt::ItemIsEnabled | Qt::ItemIsSelectable
                                  : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
}

QString SettingsGrid::cellText(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void SettingsGrid::setCellText(int row, int column, const QString& text) {
    if (QTableWidgetItem* cell = item(row, column)) cell->setText(text);
}

void SettingsGrid::nextRow() {
    if (currentRow() + 1 < rowCount()) setCurrentCell(currentRow() + 1, currentColumn());
}

void SettingsGrid::keyPressEvent(QKeyEvent* event) {
    // A key the editor passes on (Enter, or a character beyond the cell's length) stays with the
    // cell: Enter moves on once the editor has closed, and no key jumps to another row.
    if (state() == QAbstractItemView::EditingState) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!dragRows_) nextRow();
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void SettingsGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableWidget::closeEditor(editor, hint);
    // Enter in a cell being typed ends it with the model submitted.
    if (hint == QAbstractItemDelegate::SubmitModelCache) nextRow();
}

void SettingsGrid::mousePressEvent(QMouseEvent* event) {
    QTableWidget::mousePressEvent(event);
    if (dragRows_ && event->button() == Qt::LeftButton)
        dragFrom_ = rowAt(event->position().toPoint().y());
}

void SettingsGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!dragRows_ || dragFrom_ < 0) {
        QTableWidget::mouseMoveEvent(event);
        return;
    }
    const int over = rowAt(event->position().toPoint().y());
    if (over >= 0) setCurrentCell(over, currentColumn() < 0 ? 0 : currentColumn());
    viewport()->setCursor(Qt::SizeVerCursor);
}

void SettingsGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTableWidget::mouseReleaseEvent(event);
    if (!dragRows_ || dragFrom_ < 0) return;
    viewport()->unsetCursor();
    const int from = dragFrom_;
    dragFrom_ = -1;
    const int to = rowAt(event->position().toPoint().y());
    if (to >= 0 && to != from) emit rowDragged(from, to);
}

} // namespace vexa
