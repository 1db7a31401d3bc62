#pragma once

#include <optional>
#include <string>

class QScreen;
class QWidget;

namespace vexa {

// Puts a window where the settings keep it ("x,y,width,height" and ",max"), when that place
// lies on a screen that is there, and says whether the window is to show maximised. A place off
// every screen (a monitor taken away), or none, leaves the window as it is: nothing is returned.
std::optional<bool> restoreWindowPlace(QWidget& window, const std::string& place);

// The place of a window as the settings keep it: its normal size and place, and ",max" when it
// is maximised.
std::string windowPlace(const QWidget& window);

// The screen that holds the centre of a window's place.
QScreen* screenOf(const QWidget& window);

} // namespace vexa
