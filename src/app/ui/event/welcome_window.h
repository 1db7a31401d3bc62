#pragma once

#include "ports/operator.h"

#include <QDate>
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace vexa {

struct Program;

// The first window: create a new event (and say once whether its meeting uses 2.4 GHz radios
// only) or open an existing one. It cannot be closed until an
// event is open, except by "Exit Program".
class WelcomeWindow : public QDialog {
    Q_OBJECT
  public:
    WelcomeWindow(Program& program, Operator& op, QDate today = QDate::currentDate(),
                  QWidget* parent = nullptr);

    bool exitChosen() const { return exitChosen_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    void fillEventList();
    void createClicked();
    void openClicked();
    void exitClicked();

    Program& program_;
    Operator& op_;
    QLineEdit* nameEdit_;
    QListWidget* eventList_;
    QCheckBox* radiosOnly_;
    bool exitChosen_ = false;
};

} // namespace vexa
