#pragma once

#include "ui/print/report_printing.h"

#include <QDialog>

class QCheckBox;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace vexa {

class RoundRangeGroup;

// "EOR Positions": prints the positions of a range of rounds, by FTD or round by round with
// points. "&OK" prints and the window stays open; "Cancel" closes it. "Print Drivers with no
// scores" also decides whether the end-of-round pages list drivers without a best round.
class EorPositionsWindow : public QDialog {
    Q_OBJECT
  public:
    EorPositionsWindow(const ReportPrinting& printing, bool& includeNoScore,
                       QWidget* parent = nullptr);

    // Shown modally, with the last round of the range set to the current round.
    void openModal();

  private:
    void methodChanged();
    void okClicked();
    void multipleFtdClicked();

    const ReportPrinting& printing_;
    bool& includeNoScore_;
    QRadioButton* ftd_;
    QRadioButton* points_;
    QWidget* countPanel_;
    QSpinBox* roundsToCount_;
    RoundRangeGroup* range_;
    QCheckBox* noScores_;
};

} // namespace vexa
