#pragma once

#include "ui/transponders/transponder_list_window.h"

class QLineEdit;

namespace vexa {

// "House Transponders": the club's loan transponders, each with its label and, while lent, who
// has it. "Add" puts in the number and label typed, "Remove" takes the selected one off the list
// (not while it is out), "Return" takes it back.
class HouseTranspondersWindow : public TransponderListWindow {
    Q_OBJECT
  public:
    HouseTranspondersWindow(Program& program, Operator& op, QWidget* parent = nullptr);

    void addTyped();
    void removeSelected();

  protected:
    std::vector<HouseTransponder> rows() const override { return desk_.transponders(); }

  private:
    QLineEdit* number_;
    QLineEdit* label_;
};

} // namespace vexa
