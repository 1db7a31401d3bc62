#pragma once

#include "ui/print/report_printing.h"

#include <QDialog>

class QSpinBox;

namespace vexa {

// "Final Results": prints finals "Final" .. "to" of the finals table, each ranked by the results
// of "Use round:". "&OK" prints and closes.
class FinalResultsWindow : public QDialog {
    Q_OBJECT
  public:
    explicit FinalResultsWindow(const ReportPrinting& printing, QWidget* parent = nullptr);

  private:
    void okClicked();

    const ReportPrinting& printing_;
    QSpinBox* first_;
    QSpinBox* last_;
    QSpinBox* round_;
};

} // namespace vexa
