#pragma once

#include <QDialog>

class QSpinBox;

namespace vexa {

class RaceInputs;

// "Penalty" (`TpenaltyF`): ten seconds off a car's race time. Always on top and not modal, so
// the race goes on while the number is typed. "OK" stays open when no car carries the number, so
// that another can be typed; "Cancel" closes it.
class PenaltyWindow : public QDialog {
    Q_OBJECT
  public:
    explicit PenaltyWindow(RaceInputs& inputs, QWidget* parent = nullptr);

    // Shows the window in front with the number box ready for typing.
    void showInFront();

  private:
    void ok();

    RaceInputs& inputs_;
    QSpinBox* car_;
};

} // namespace vexa
