#pragma once

#include <QPointer>
#include <QTableWidget>

#include <functional>

class QLineEdit;

namespace vexa {

// A grid typed into cell by cell: typing on a cell starts editing it, and Enter, whether a cell
// is being edited or not, moves to the cell `nextOnEnter` names (staying put when it names
// none). The editors of a column can be given their limits (length, allowed characters).
class EnterGrid : public QTableWidget {
    Q_OBJECT
  public:
    EnterGrid(int rows, int columns, QWidget* parent = nullptr);

    // Where Enter goes from a cell; an invalid index stays.
    std::function<QModelIndex(const QModelIndex&)> nextOnEnter;
    // Sets up the editor of a cell of `column` as it opens.
    void setColumnEditor(int column, std::function<void(QLineEdit&)> setUp);
    // Commits the cell being edited, if any, so that its text is read with the others.
    void finishEditing();

    // A read-only cell holding a text.
    static QTableWidgetItem* fixedItem(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

  private:
    friend class EnterGridDelegate;
    void moveOnEnter();

    std::vector<std::function<void(QLineEdit&)>> columnEditors_;
    QPointer<QWidget> editor_; // the editor last opened
};

} // namespace vexa
