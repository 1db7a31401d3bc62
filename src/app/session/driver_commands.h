#pragma once

#include "model/outcome.h"
#include "ui/drivers/file_choices.h"

#include <QObject>

namespace vexa {

struct Program;
class Operator;
class MainWindow;
class DriverEntryWindow;
class DatabaseWindow;

// The driver menu, the drivers database items of the set-up menu and "Frequency Numbers" of the
// output menu, with the windows they open: the entry window "Drivers Details" and the "Driver
// Database" window, one of each for the whole run.
class DriverCommands : public QObject {
    Q_OBJECT
  public:
    DriverCommands(Program& program, Operator& op, MainWindow& window, FileChoices files);

    // "New": the entry window on the first free Id, or "No free spaces can be found".
    void newDriver();
    // "Edit" and a double click on a competitor: the entry window on him.
    void editDriver(int id);
    // "Delete": asks, deletes and writes the competitors, results and both table files.
    void deleteDriver(int id);
    // "Enable All Drivers" / "Disable All Drivers": asks, then every entry.
    void enableAll(bool enabled);
    void importCsv();
    void copyToDatabase(int id);
    void copyAllToDatabase();
    void newDatabase();
    void openDatabase();
    void showFrequencyNumbers();

    // The competitor selected in the drivers list, or 0.
    int selectedId() const;
    // "New Drivers Database" and "Open Drivers Database" only while the open database is empty;
    // the copy items only while a database file is set.
    void updateMenus();

    DriverEntryWindow& entryWindow() { return *entry_; }
    DatabaseWindow& databaseWindow() { return *database_; }

  private:
    void competitorsChanged();
    void tell(const Outcome& outcome);

    Program& program_;
    Operator& op_;
    MainWindow& window_;
    FileChoices files_;
    DriverEntryWindow* entry_;
    DatabaseWindow* database_;
};

// Makes the driver commands of a main window, with the given file dialogs, and connects the menu
// items to them.
DriverCommands& wireDriverCommands(Program& program, Operator& op, MainWindow& window,
                                   FileChoices files);

} // namespace vexa
