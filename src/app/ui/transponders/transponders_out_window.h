#pragma once

#include "ui/print/report_printing.h"
#include "ui/transponders/transponder_list_window.h"

namespace vexa {

// "Transponders out": the loans not returned, each with the driver who has it and the event it
// was lent in; "Return" for the one selected and "Print" for the list. The program shows it as
// it ends while loans are out.
class TranspondersOutWindow : public TransponderListWindow {
    Q_OBJECT
  public:
    TranspondersOutWindow(Program& program, Operator& op, ReportPrinting printing,
                          QWidget* parent = nullptr);

    // "Print": the list on a print job the operator picks.
    void printList();

  protected:
    std::vector<HouseTransponder> rows() const override { return desk_.out(); }

  private:
    ReportPrinting printing_;
};

} // namespace vexa
