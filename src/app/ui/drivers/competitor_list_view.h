#pragma once

#include <QTableWidget>

namespace vexa {

struct Program;
enum class DriverOrder;

// The drivers list `cptgrid`: one row per competitor in use, in the chosen display order.
class CompetitorListView : public QTableWidget {
    Q_OBJECT
  public:
    CompetitorListView(const Program& program, QWidget* parent = nullptr);

    // Rebuilds the rows and selects again the competitor that was selected.
    void refresh(DriverOrder order);
    // The Id of the selected row, or 0.
    int selectedId() const;

  signals:
    // A double click on a competitor's row, or (with Id 0) where there is none.
    void competitorDoubleClicked(int id);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    const Program& program_;
};

} // namespace vexa
