#pragma once

#include <QLineEdit>
#include <QPushButton>

#include <initializer_list>

namespace vexa {

// A box that takes digits only, at most `digits` of them: any other character typed or pasted is
// dropped; Backspace, Delete and Enter work as in any box.
QLineEdit* digitBox(int digits, const char* name, QWidget* parent);

// A text box of at most `capacity` characters.
QLineEdit* textBox(int capacity, const char* name, QWidget* parent);

// A button that Enter never presses unless it has the focus: in the driver windows Enter moves
// between boxes.
QPushButton* plainButton(const QString& caption, const char* name, QWidget* parent);

// Tab goes through the widgets in this order.
void chainTabOrder(std::initializer_list<QWidget*> widgets);

} // namespace vexa
