#pragma once

#include "programme/entry_checks.h"

#include <QTableWidget>

#include <vector>

namespace vexa {

// The entry problems grid `DProbsGRD` under the tables: one row per finding of "Check" ("Id#",
// "Race#", "Car#", "Name", "Problem") and always one empty row at the end. A double click on a
// finding asks for the window that mends it.
class EntryProblemsGrid : public QTableWidget {
    Q_OBJECT
  public:
    explicit EntryProblemsGrid(QWidget* parent = nullptr);

    void showFindings(std::vector<EntryProblem> findings);
    const std::vector<EntryProblem>& findings() const { return findings_; }

  signals:
    // "Driver has no name": the competitor entry window on the Id.
    void driverOpenRequested(int id);
    // "No Frequency Allocated", "Frequency Conflict": the entry window set to the Id and the
    // frequency allocation window opened for it.
    void frequenciesOpenRequested(int id);

  private:
    void findingDoubleClicked(int row);

    std::vector<EntryProblem> findings_;
};

} // namespace vexa
