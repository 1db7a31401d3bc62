#pragma once

#include "program/competitor_entry.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace vexa {

struct Program;
class Operator;
class LoanBox;
class PicturePanel;
class ResultsGrid;

// "Drivers Details", the competitor entry window: one competitor at a time, with the Id box and
// the buttons to move back and forward (Page Up and Page Down do the same), his fields, his
// frequency, picture and round results. Every change is stored at once; when the window hides,
// the results typed are stored, the competitors and results files are written and
// `competitorsChanged` tells the lists to redraw.
//
// Opening it: `DriverEntryWindow entry(program, op, parent); entry.editCompetitor(id);`
class DriverEntryWindow : public QDialog {
    Q_OBJECT
  public:
    DriverEntryWindow(Program& program, Operator& op, QWidget* parent = nullptr);
    ~DriverEntryWindow() override;

    // Shows the competitor and runs the window until it is closed.
    void editCompetitor(int id);
    // Sets the competitor shown without opening the window.
    void setCompetitor(int id);
    int shownId() const { return entry_.id(); }

    // Opens "Frequencies" for the competitor shown; afterwards his frequency is redrawn and the
    // focus goes to the ability box.
    void openFrequencies();

  signals:
    void competitorsChanged();

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    void buildFields();
    void buildNavigation();
    void connectFields();
    void fill();
    void showFrequency();
    void showTypedId();
    void moveBack();
    void moveForward();

    Program& program_;
    Operator& op_;
    CompetitorEntry entry_;
    bool filling_ = false;

    QLineEdit* idBox_;
    QPushButton* back_;
    QPushButton* forward_;
    QLineEdit* name_;
    QSpinBox* classBox_;
    QLabel* className_;
    QCheckBox* noFreq_;
    QPushButton* freqButton_;
    QLabel* freqName_;
    QLineEdit* ability_;
    QLineEdit* memno_;
    QLineEdit* transponder_;
    LoanBox* loan_;
    QCheckBox* enabled_;
    PicturePanel* picture_;
    ResultsGrid* results_;
};

} // namespace vexa
