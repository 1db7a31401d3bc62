#pragma once

#include <QDialog>

#include <string>
#include <vector>

namespace vexa {

struct Program;
class Operator;
class FrequencyNameGrid;

// "Frequency Setup": the 200 frequency names, typed row by row (at most 20 characters each,
// Enter moves down a row) and put in order by dragging rows. When the window closes ("&OK" or
// otherwise) the names are stored in row order, so a dragged name takes the number of its new
// row, and the frequency names file is written; a failed write keeps the window open with the
// reason. Open it with exec().
class FrequencySetupWindow : public QDialog {
    Q_OBJECT
  public:
    FrequencySetupWindow(Program& program, Operator& op, QWidget* parent = nullptr);

    void done(int result) override;
    FrequencyNameGrid& grid() { return *grid_; }

  private:
    Program& program_;
    Operator& op_;
    FrequencyNameGrid* grid_;
};

} // namespace vexa
