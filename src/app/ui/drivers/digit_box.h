#pragma once

#include <QLineEdit>

namespace vexa {

// A box that takes digits only, at most `digits` of them: any other character typed or pasted is
// dropped; Backspace, Delete and Enter work as in any box.
QLineEdit* digitBox(int digits, const char* name, QWidget* parent);

// A text box of at most `capacity` characters.
QLineEdit* textBox(int capacity, const char* name, QWidget* parent);

} // namespace vexa
