#pragma once

#include <QDialog>

class QLabel;

namespace vexa {

struct Program;
class FrequencyCheckList;
class FrequencyChoiceBox;

// "Frequencies": one competitor's crystals ("Drivers Crystal List") and his heat and final
// frequencies, each with its conflict label; the group of the table raced from is on top.
// Choosing a frequency stores it at once; when the window closes the checked crystals become his
// owned list. Open it with exec(); the caller redraws what shows his frequency.
class FrequencyAllocationWindow : public QDialog {
    Q_OBJECT
  public:
    FrequencyAllocationWindow(Program& program, int id, QWidget* parent = nullptr);

    void done(int result) override;

  private:
    void showConflicts();

    Program& program_;
    int id_;
    FrequencyCheckList* crystals_;
    FrequencyChoiceBox* heat_;
    FrequencyChoiceBox* final_;
    QLabel* heatConflict_;
    QLabel* finalConflict_;
};

} // namespace vexa
