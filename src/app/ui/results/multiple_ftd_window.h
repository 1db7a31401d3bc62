#pragma once

#include <QDialog>

class QSpinBox;

namespace vexa {

struct Program;
class Operator;
class RoundRangeGroup;

// "Multiple FTD": adds each competitor's best rounds up into round 20. "&OK" runs the sum and
// closes; a refused range is told and the window stays.
class MultipleFtdWindow : public QDialog {
    Q_OBJECT
  public:
    MultipleFtdWindow(Program& program, Operator& op, QWidget* parent = nullptr);

  private:
    void okClicked();

    Program& program_;
    Operator& op_;
    QSpinBox* roundsToScore_;
    RoundRangeGroup* range_;
};

} // namespace vexa
