#pragma once

#include <QMainWindow>

class QComboBox;

namespace vexa {

struct Program;
class CompetitorListView;

// The main window. It opens on the drivers screen with the list of competitors.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(Program& program, QWidget* parent = nullptr);

    // Redraws the drivers list in the chosen display order.
    void refreshCompetitorList();

  private:
    Program& program_;
    QComboBox* displayBy_;
    CompetitorListView* competitorList_;
};

} // namespace vexa
