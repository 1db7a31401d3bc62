#pragma once

#include "programme/side_bar.h"

#include <QWidget>

class QPushButton;
class QTableView;

namespace vexa {

struct Program;
class RacingTable;
class RacingTableModel;
class SideBarModel;
class RacingGrid;

// One page of the tables screen: "--- Qualifiers / Heats ---" over the heats table, or
// "--- Mains / Finals ---" over the finals table, with the side bar beside the grid and the
// buttons "View", "/\ &Up" and "\/ &Down" under it.
class TablePage : public QWidget {
    Q_OBJECT
  public:
    TablePage(Program& program, bool heats, QWidget* parent = nullptr);
    ~TablePage() override;

    bool heats() const { return heats_; }
    RacingTable& table();
    RacingGrid& grid() { return *grid_; }
    RacingTableModel& model() { return *model_; }
    int selectedRace() const;
    // Selects a race's slot (0: the information row) and shows it.
    void selectCell(int race, int slot);

    // Draws the side bar again for the selected race.
    void refreshSideBar();
    // Draws the whole table and the side bar again, after the table was changed elsewhere.
    void redraw();

  signals:
    // A double click on a slot holding an Id: the competitor entry window on that Id.
    void driverOpenRequested(int id);

  private:
    void cellDoubleClicked(int race, int slot);
    void packUp();
    void packDown(Qt::KeyboardModifiers modifiers);
    void toggleView();

    Program& program_;
    bool heats_;
    SideBarView view_ = SideBarView::Names;
    RacingTableModel* model_;
    SideBarModel* sideModel_;
    RacingGrid* grid_;
    QTableView* sideBar_;
};

} // namespace vexa
