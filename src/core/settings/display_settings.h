#pragma once

#include "model/outcome.h"
#include "settings/prog_settings.h"

#include <filesystem>
#include <optional>
#include <string>

namespace vexa {

// The standings' zoom in percent and its step (Ctrl+plus, Ctrl+minus).
inline constexpr int MinStandingsZoom = 50;
inline constexpr int MaxStandingsZoom = 300;
inline constexpr int StandingsZoomStep = 10;

// The zoom one step bigger (`steps` 1) or smaller (-1), held to its range.
int steppedZoom(int percent, int steps);

// Where a window stands and how big it is, as the settings keep it: "x,y,width,height", and
// ",max" after it when the window is maximised (its size is then the one it returns to).
struct WindowPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool maximised = false;
    bool operator==(const WindowPlace&) const = default;
};
// Nothing for an empty text and for one that is not a place (a damaged or hand-edited file).
std::optional<WindowPlace> readWindowPlace(const std::string& text);
std::string windowPlaceText(const WindowPlace& place);

} // namespace vexa
