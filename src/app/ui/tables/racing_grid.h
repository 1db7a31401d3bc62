#pragma once

#include <QTableView>

namespace vexa {

class RacingTableModel;

// The race cells of a heats table (`RacingGrid`) or a finals table (`Finalsgrid`): typed into
// directly with the keys a race cell takes, Enter moving on to the next slot, and race columns
// dragged by their number to another place. There is always a selected cell; its race is the
// selected race.
class RacingGrid : public QTableView {
    Q_OBJECT
  public:
    RacingGrid(RacingTableModel& model, const char* objectName, QWidget* parent = nullptr);

    RacingTableModel& racingModel() { return model_; }
    int selectedRace() const;
    // Selects the cell of a race's slot (0 selects the information row) and shows it.
    void selectCell(int race, int slot);
    // The height that shows the number row, the information row and all 20 slots.
    int fullHeight() const;

  signals:
    // The selection moved, a cell was clicked or typed into, a race was dragged, or the grid
    // lost the focus: the side bar is to be drawn again for the selected race.
    void sideBarStale();
    // A double click on the information row (slot 0) or a slot of a race.
    void cellDoubleClicked(int race, int slot);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

  private:
    void type(QKeyEvent* event);
    void raceDragged(int oldPlace, int newPlace);

    RacingTableModel& model_;
    // Whether the selected cell was typed into since it was selected: the first digit typed
    // into a cell replaces what it held, the next ones are added to it.
    bool typing_ = false;
    bool restoringOrder_ = false;
};

} // namespace vexa
