#pragma once

#include <QDialog>

#include "model/outcome.h"

#include <cstdint>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QTableWidget;

namespace vexa {

class Operator;
class StoredRaceCorrector;

// The modal "Correct Results" window: the race director chooses a stored race, sees each car's
// passings from its journal and the results, and makes one correction at a time with a reason.
// OK makes it through the corrector and shows the results computed again; `corrected` is told
// after each correction that was made. An unknown car's laps given to a driver may keep its
// transponder as his for the rest of the meeting through `keepTransponder`.
class CorrectResultsWindow : public QDialog {
    Q_OBJECT
  public:
    CorrectResultsWindow(StoredRaceCorrector& corrector, Operator& op,
                         std::function<void()> corrected, QWidget* parent = nullptr);

    // The driver (Id) keeps the transponder (the open event's entry and file); unset, the
    // choice is not offered.
    std::function<Outcome(int id, int32_t transponder)> keepTransponder;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void chooseRace(int index);
    void passingSelected();
    void apply();
    // Draws the passings and results again; the selected passing stays selected when `keep`.
    void refresh(bool keep);

    StoredRaceCorrector& corrector_;
    Operator& op_;
    std::function<void()> corrected_;
    QComboBox* race_;
    QTableWidget* passings_;
    QComboBox* kind_;
    QSpinBox* car_;
    QLineEdit* lapSeconds_;
    QLineEdit* laps_;
    QLineEdit* time_;
    QComboBox* owner_;
    QCheckBox* keep_;
    QLineEdit* reason_;
    QTableWidget* results_;
};

} // namespace vexa
