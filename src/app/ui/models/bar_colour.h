#pragma once

#include "race/race_panel.h"

#include <QColor>

namespace vexa {

// The progress bar's colour.
QColor barColour(BarColour colour);

} // namespace vexa
