#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace vexa {

struct Program;
class CompetitorListView;

// The main window's drivers screen: the event's name, the tool bar with "Edit" (the driver menu)
// and "&Options" (the set-up menu), "Display Drivers by" and the drivers list `cptgrid`.
class DriversScreen : public QWidget {
    Q_OBJECT
  public:
    explicit DriversScreen(const Program& program, QWidget* parent = nullptr);

    // Redraws the drivers list in the chosen display order and the event's name.
    void refresh();
    CompetitorListView& list() { return *list_; }
    QPushButton& editButton() { return *edit_; }
    QPushButton& optionsButton() { return *options_; }

  private:
    const Program& program_;
    QLabel* title_;
    QPushButton* edit_;
    QPushButton* options_;
    QComboBox* displayBy_;
    CompetitorListView* list_;
};

} // namespace vexa
