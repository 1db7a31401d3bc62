#pragma once

#include "ui/print/report_printing.h"

#include <QDialog>

class QRadioButton;

namespace vexa {

// "Label Printing" (TVexaLabelPrintingDF): one label per driver of the heats or finals table.
class LabelPrintingWindow : public QDialog {
    Q_OBJECT
  public:
    explicit LabelPrintingWindow(ReportPrinting printing, QWidget* parent = nullptr);

  private:
    void okClicked();

    ReportPrinting printing_;
    QRadioButton* finals_;
    QRadioButton* printThenFeed_;
    QRadioButton* carNumberOrder_;
};

} // namespace vexa
