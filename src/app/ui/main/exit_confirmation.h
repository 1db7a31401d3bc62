#pragma once

#include <QDialog>

class QLineEdit;

namespace vexa {

// "Sure you want to exit ?": the operator types "yes" (in any case) into a masked box to end the
// program. "OK" with anything else empties the box and stays; "Cancel" empties it and hides.
class ExitConfirmation : public QDialog {
    Q_OBJECT
  public:
    explicit ExitConfirmation(QWidget* parent = nullptr);

    QLineEdit& answerBox() { return *answer_; }

  private:
    void okClicked();

    QLineEdit* answer_;
};

} // namespace vexa
