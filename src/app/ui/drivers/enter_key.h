#pragma once

#include <functional>

class QWidget;

namespace vexa {

// Runs `act` when Enter (or Return) is pressed in the widget; the key goes no further, so it
// never presses a dialog's default button.
void onEnter(QWidget* widget, std::function<void()> act);

} // namespace vexa
