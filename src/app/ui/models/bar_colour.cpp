#include "ui/models/bar_colour.h"

namespace vexa {

QColor barColour(BarColour colour) {
    switch (colour) {
    case BarColour::Navy:
        return QColor(0, 0, 128);
    case BarColour::Green:
        return QColor(0, 128, 0);
    case BarColour::Yellow:
        return QColor(255, 255, 0);
    case BarColour::Red:
        return QColor(255, 0, 0);
    }
    return {};
}

} // namespace vexa
