#pragma once

#include "ui/print/report_printing.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace vexa {

// "Racing Table Print" (TracingtablprnF): prints the heats or finals table for a range of races.
class RacingTablePrintWindow : public QDialog {
    Q_OBJECT
  public:
    explicit RacingTablePrintWindow(ReportPrinting printing, QWidget* parent = nullptr);

    // Shows the window with the table shown on the tables screen chosen; the other choices
    // keep their values from the last opening.
    void openFor(bool finalsShown);

  private:
    void printAllToggled(bool on);
    void okClicked();

    ReportPrinting printing_;
    QRadioButton* heats_;
    QRadioButton* finals_;
    QGroupBox* range_;
    QLineEdit* rangeStart_;
    QLineEdit* rangeEnd_;
    QCheckBox* printAll_;
    QCheckBox* includeFrequencies_;
};

} // namespace vexa
