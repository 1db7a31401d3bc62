#pragma once

#include "programme/database_list.h"
#include "ui/drivers/file_choices.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QTableWidget;

namespace vexa {

struct Program;
class Operator;

// "Driver Database": the records of the open drivers database in one of four orders, kept above
// the other windows. A double click edits a record (or makes a new one where there is none);
// "Transfer Driver to event" takes the selected record into the event; "Delete" asks and deletes;
// "Export" writes the list as a CSV file. Closing the window writes the database file and closes
// the database; when the file cannot be written the window stays open with the reason and
// nothing is lost.
class DatabaseWindow : public QDialog {
    Q_OBJECT
  public:
    DatabaseWindow(Program& program, Operator& op, FileChoices files, QWidget* parent = nullptr);

    // Redraws the list and shows the window in front.
    void showDatabase();
    void refresh();
    // Opens the editor on a record (an array position) or, without one, on a new record.
    void edit(std::optional<size_t> record);
    void transferSelected();
    void deleteSelected();
    void exportList();

    void done(int result) override;

  signals:
    // Drivers were taken into the event: the drivers list redraws.
    void competitorsChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The array position of the selected record, if a listed row is selected.
    std::optional<size_t> selectedRecord() const;
    void transfer(size_t record);
    void select(size_t record);

    Program& program_;
    Operator& op_;
    FileChoices files_;
    QComboBox* order_;
    QTableWidget* grid_;
    std::vector<DatabaseListRow> rows_;
};

} // namespace vexa
