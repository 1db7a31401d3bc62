#pragma once

#include "race/standings.h"

#include <array>
#include <cstdint>

namespace vexa {

// A colour as red, green and blue 0..255.
struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// The look of the standings: light (the race panel, and the race screen by default) or the
// race screen's dark high-contrast theme.
enum class StandingsTheme : uint8_t { Light, Dark };

// The tones a cell is drawn in.
struct CellTones {
    Rgb text;
    Rgb background;
};

// A caption of the colour key and the colours it is drawn in: "SET TO BEAT FTD" (white on
// black), "BEST TIME IN ROUND" (white on fuchsia), "SET TO IMPROVE" (yellow), "DRIVER IMPROVED"
// (lime), "NOT RUNNING CURRENTLY" (grey).
struct KeyEntry {
    const char* text;
    GridColour textColour;
    GridColour background;
};
const std::array<KeyEntry, 5>& colourKeyEntries();

// The tones of a standings cell, or of a caption of the colour key, whose text and background
// are named colours. Every named colour keeps its hue, in a shade that stands out from the
// background it meets: a dark shade on a light background and a light one on a dark background,
// so that every pair the standings use reads at a contrast of at least 4.5:1. White text has no
// dark shade: on a light background its cell turns dark blue.
CellTones cellTones(GridColour text, GridColour background, StandingsTheme theme);

// A named text colour in the shade that stands out from `background`.
Rgb textTone(GridColour text, Rgb background);

// The window around the grid, its plain text and the grid's header row.
struct ThemeTones {
    Rgb window;
    Rgb windowText;
    Rgb header;
    Rgb headerText;
};
ThemeTones themeTones(StandingsTheme theme);

// The contrast ratio of two colours (1 to 21), as the web's accessibility guidelines define it
// from their relative luminance.
double contrastRatio(Rgb a, Rgb b);

} // namespace vexa
