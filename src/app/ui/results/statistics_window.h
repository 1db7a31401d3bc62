#pragma once

#include <QDialog>

class QTableWidget;

namespace vexa {

struct Program;
class Operator;

// "Statistics": per class the drivers entered and enabled, the laps driven over all rounds and
// their distance in miles and kilometres.
class StatisticsWindow : public QDialog {
    Q_OBJECT
  public:
    StatisticsWindow(const Program& program, Operator& op, QWidget* parent = nullptr);

    // Counts afresh; a track length that is not a number is told and the grid keeps what it
    // showed.
    void refresh();

  private:
    const Program& program_;
    Operator& op_;
    QTableWidget* grid_;
};

} // namespace vexa
