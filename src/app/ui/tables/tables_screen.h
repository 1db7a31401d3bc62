#pragma once

#include "ui/print/report_printing.h"
#include "ui/tables/sort_table_window.h"

#include <QWidget>

class QTabWidget;

namespace vexa {

struct Program;
class Operator;
class TablePage;
class EntryProblemsGrid;
class CrystalChangesWindow;
class RacingTablePrintWindow;

// What the tables screen needs besides the program and the operator.
struct TablesScreenPorts {
    // Printing from the screen ("Print").
    ReportPrinting printing;
    // The overall results page of rounds first..last (before a finals table is rebuilt from
    // results).
    std::function<void(int first, int last)> writeOverallPage;
};

// The main window's tables screen: the tool bar ("Delete", "Check", "Freq Changes",
// "Freq Sort ", "Sort", "Print"), the pages "Qualifiers / Heats" and "Mains / Finals " with their
// tables, and under them the entry problems grid of "Check".
class TablesScreen : public QWidget {
    Q_OBJECT
  public:
    TablesScreen(Program& program, Operator& op, TablesScreenPorts ports,
                 QWidget* parent = nullptr);
    ~TablesScreen() override;

    // As the screen is shown: both tables and side bars drawn again, and the page of the table
    // raced from (the settings' heats or finals) shown.
    void showTables();
    void showPage(bool heats);
    // Both tables and side bars drawn again, the page left as it is (a name or a frequency was
    // changed in another window).
    void redraw();
    // Drivers' frequencies were changed from this screen ("Freq Sort ", or "Frequencies" opened
    // from a finding): drawn again and the competitors file written at once.
    void frequenciesChanged();
    bool heatsShown() const;
    TablePage& page(bool heats) { return heats ? *heats_ : *finals_; }
    // Shows a table's page with a race's slot selected ("GO TO >>" of "Find Driver").
    void goTo(bool heats, int race, int slot);

    // The "Sort Table" windows as "Enter Finals" opens them: the finals page shown, the finals
    // table chosen and fixed. Returns whether the finals table was rebuilt.
    bool sortForFinals();
    SortTableWindow& sortWindow() { return *sort_; }

  signals:
    // A double click on a driver in a table, or on a "Driver has no name" finding: the
    // competitor entry window ("Drivers Details") on that Id.
    void driverOpenRequested(int id);
    // A double click on a "No Frequency Allocated" or "Frequency Conflict" finding: the entry
    // window set to the Id and the frequency allocation window ("Frequencies") opened for it.
    void frequenciesOpenRequested(int id);

  private:
    TablePage& shownPage();
    void deleteRace();
    void check();
    void showFrequencyChanges();
    void freqSort();
    void sort();
    void tableRebuilt(bool heats, bool frequenciesAllocated);
    void tellFailure(const Outcome& outcome);

    Program& program_;
    Operator& op_;
    TablesScreenPorts ports_;
    QTabWidget* pages_;
    TablePage* heats_;
    TablePage* finals_;
    EntryProblemsGrid* problems_;
    SortTableWindow* sort_;
    CrystalChangesWindow* changes_;
    RacingTablePrintWindow* print_;
};

} // namespace vexa
