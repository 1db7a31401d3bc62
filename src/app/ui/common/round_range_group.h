#pragma once

#include <QGroupBox>

class QRadioButton;
class QSpinBox;

namespace vexa {

// "Rounds to be used": `useallRoundsRB` "All" (chosen at first) or `RadioButton2` "Rounds"
// `eorpositions1` "to" `eorpositions2`, each round from 1 to `lastRound`.
class RoundRangeGroup : public QGroupBox {
    Q_OBJECT
  public:
    RoundRangeGroup(int lastRound, QWidget* parent = nullptr);

    bool allRounds() const;
    int first() const;
    int last() const;
    void setRange(int first, int last);

  private:
    QRadioButton* all_;
    QRadioButton* rounds_;
    QSpinBox* first_;
    QSpinBox* last_;
};

// A spin box of whole numbers named for tests and readers, with its label as buddy.
QSpinBox* numberBox(const char* name, int minimum, int maximum, int value, QWidget* parent);

} // namespace vexa
