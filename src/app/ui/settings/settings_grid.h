#pragma once

#include <QTableWidget>

#include <initializer_list>

namespace vexa {

// A two-column grid of the settings window: column 0 numbers the rows and is not typed in,
// column 1 holds the values. Enter moves to the next row (not beyond the last); a cell takes at
// most `maxCellLength` characters (0: no limit). With `dragRows` nothing is typed and a row is
// dragged to a new place with the mouse instead.
class SettingsGrid : public QTableWidget {
    Q_OBJECT
  public:
    struct Column {
        const char* header;
        int width;
    };
    SettingsGrid(const char* name, int rows, std::initializer_list<Column> columns,
                 QWidget* parent = nullptr);

    void setMaxCellLength(int characters);
    void setDragRows(bool on);

    // Texts of the cells, rows counted from 0.
    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString& text);

  signals:
    // A row was dragged from one place to another (rows counted from 0).
    void rowDragged(int from, int to);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void nextRow();

    bool dragRows_ = false;
    int dragFrom_ = -1;
};

} // namespace vexa
