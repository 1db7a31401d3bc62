#pragma once

#include "programme/heat_sort_plan.h"
#include "programme/reseeding.h"

#include <QDialog>

class QTableWidget;

namespace vexa {

struct Program;
class Operator;

// The second "Sort Table" window (TVexaheatsortcont): the eligible drivers of each class and how
// many run per race (`DriverclassnumSG`). "Update" takes the typed "#Per Race" values; "&OK"
// rebuilds the table with the choices of the first window and closes (accepted); "Cancel"
// changes nothing.
class HeatSortControl : public QDialog {
    Q_OBJECT
  public:
    HeatSortControl(Program& program, Operator& op, SortChoice choice, QWidget* parent = nullptr);

    const HeatSortPlan& plan() const { return plan_; }

  private:
    void drawCounts();
    void update();
    void fill();

    Program& program_;
    Operator& op_;
    SortChoice choice_;
    HeatSortPlan plan_;
    QTableWidget* grid_;
};

} // namespace vexa
