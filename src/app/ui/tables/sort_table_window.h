#pragma once

#include "programme/reseeding.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace vexa {

struct Program;
class Operator;

// The first "Sort Table" window (TVexaSortTableF): which table to rebuild, from abilities or
// results (FTD or points over a round range), and the options of the fill. "&Next >" closes it
// and opens the heat sort control, which rebuilds the table. The window keeps its choices from
// one opening to the next.
class SortTableWindow : public QDialog {
    Q_OBJECT
  public:
    struct Ports {
        // The overall results page of rounds first..last, written before a finals table is
        // rebuilt from results.
        std::function<void(int first, int last)> writeOverallPage;
    };
    SortTableWindow(Program& program, Operator& op, Ports ports, QWidget* parent = nullptr);

    // "Sort" of the tables screen: the table shown there, by ability for the heats and by
    // results for the finals, the table choice open. Returns whether the table was rebuilt.
    bool openFromSort(bool heatsShown);
    // "Enter Finals": the finals table, not to be changed, by results; the scoring (FTD or
    // points) stays as it was chosen last.
    bool openForFinals();

    // The "Multiple FTD" window, run modally over the given parent. Until it is given the
    // button is disabled.
    void setMultipleFtdWindow(std::function<void(QWidget* parent)> window);

    SortChoice choice() const;

  private:
    bool run();
    void showChoices();
    void next();
    void multipleFtd();

    Program& program_;
    Operator& op_;
    Ports ports_;
    std::function<void(QWidget*)> multipleFtdWindow_;
    QGroupBox* tableChoice_;
    QRadioButton* heatsTable_;
    QRadioButton* finalsTable_;
    QRadioButton* ability_;
    QRadioButton* results_;
    QWidget* roundPanel_;
    QSpinBox* firstRound_;
    QSpinBox* lastRound_;
    QGroupBox* sortingType_;
    QRadioButton* ftd_;
    QRadioButton* points_;
    QLabel* roundsToCountLabel_;
    QSpinBox* roundsToCount_;
    QPushButton* multipleFtdButton_;
    QCheckBox* includeNoScore_;
    QCheckBox* allocateFrequencies_;
};

} // namespace vexa
