#pragma once

#include "program/transponder_desk.h"

#include <QWidget>

class QComboBox;
class QPushButton;

namespace vexa {

struct Program;
class Operator;

// The loan of a house transponder at booking-in, beside a driver's transponder box: a choice of
// the loan transponders not lent and "Lend", which lends the one chosen to the driver shown (his
// transponder becomes its number), and "Return" when he has one.
class LoanBox : public QWidget {
    Q_OBJECT
  public:
    LoanBox(Program& program, Operator& op, QWidget* parent = nullptr);

    // Shows the loan of competitor `id` of the open event, or the transponders he may borrow.
    void showFor(int id);
    QComboBox& choice() { return *choice_; }
    QPushButton& lendButton() { return *lend_; }
    QPushButton& returnButton() { return *return_; }

  signals:
    // The driver's transponder changed: lent or given back.
    void transponderChanged();

  private:
    void lendChosen();
    void giveBack();
    bool told(const Outcome& outcome);

    Program& program_;
    Operator& op_;
    TransponderDesk desk_;
    int id_ = 0;
    QComboBox* choice_;
    QPushButton* lend_;
    QPushButton* return_;
};

} // namespace vexa
