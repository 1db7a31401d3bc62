#include "race/standings_tones.h"

#include <algorithm>
#include <cmath>

namespace vexa {

namespace {

constexpr Rgb LightNormal{240, 240, 240}; // a button face
constexpr Rgb DarkNormal{42, 42, 42};
constexpr Rgb DarkWindow{16, 16, 16};
// "Fuchsia" deep enough for the light figures on it.
constexpr Rgb DeepFuchsia{139, 0, 139};
// The cell of white text on a light grid.
constexpr Rgb WhiteTextCell{10, 42, 138};

double channel(uint8_t value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(Rgb c) {
    return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}

bool isDark(Rgb c) {
    return luminance(c) < 0.18;
}

Rgb backgroundTone(GridColour colour, StandingsTheme theme) {
    switch (colour) {
    case GridColour::Normal:
        return theme == StandingsTheme::Dark ? DarkNormal : LightNormal;
    case GridColour::Black:
        return {0, 0, 0};
    case GridColour::Fuchsia:
        return DeepFuchsia;
    case GridColour::Lime:
        return {0, 255, 0};
    case GridColour::Yellow:
        return {255, 255, 0};
    case GridColour::Grey:
        return {128, 128, 128};
    case GridColour::Red:
        return {192, 0, 0};
    case GridColour::Blue:
        return {0, 0, 255};
    case GridColour::White:
        return {255, 255, 255};
    case GridColour::Maroon:
        return {128, 0, 0};
    }
    return LightNormal;
}

// The shade of a text colour on a light background...
Rgb darkShade(GridColour colour) {
    switch (colour) {
    case GridColour::Lime:
        return {0, 112, 0};
    case GridColour::Yellow:
        return {128, 102, 0};
    case GridColour::Grey:
        return {102, 102, 102};
    case GridColour::Red:
        return {192, 0, 0};
    case GridColour::Blue:
        return {0, 0, 255};
    case GridColour::Maroon:
        return {128, 0, 0};
    case GridColour::Fuchsia:
        return DeepFuchsia;
    case GridColour::White: // drawn on its own dark cell
        return {255, 255, 255};
    case GridColour::Normal:
    case GridColour::Black:
        break;
    }
    return {0, 0, 0};
}

// ... and on a dark one.
Rgb lightShade(GridColour colour) {
    switch (colour) {
    case GridColour::Lime:
        return {0, 255, 0};
    case GridColour::Yellow:
        return {255, 255, 0};
    case GridColour::Grey:
        return {176, 176, 176};
    case GridColour::Red:
        return {255, 112, 112};
    case GridColour::Blue:
        return {160, 200, 255};
    case GridColour::Maroon:
        return {232, 144, 144};
    case GridColour::Fuchsia:
        return {255, 128, 255};
    case GridColour::White:
    case GridColour::Normal:
    case GridColour::Black:
        break;
    }
    return {255, 255, 255};
}

} // namespace

const std::array<KeyEntry, 5>& colourKeyEntries() {
    static const std::array<KeyEntry, 5> entries{{
        {"SET TO BEAT FTD", GridColour::White, GridColour::Black},
        {"BEST TIME IN ROUND", GridColour::White, GridColour::Fuchsia},
        {"SET TO IMPROVE", GridColour::Yellow, GridColour::Normal},
        {"DRIVER IMPROVED", GridColour::Lime, GridColour::Normal},
        {"NOT RUNNING CURRENTLY", GridColour::Grey, GridColour::Normal},
    }};
    return entries;
}

Rgb textTone(GridColour text, Rgb background) {
    return isDark(background) ? lightShade(text) : darkShade(text);
}

CellTones cellTones(GridColour text, GridColour background, StandingsTheme theme) {
    Rgb cell = backgroundTone(background, theme);
    if (text == GridColour::White && !isDark(cell)) cell = WhiteTextCell;
    return {textTone(text, cell), cell};
}

ThemeTones themeTones(StandingsTheme theme) {
    if (theme == StandingsTheme::Dark)
        return {DarkWindow, {255, 255, 255}, {26, 26, 26}, {255, 255, 255}};
    return {LightNormal, {0, 0, 0}, {225, 225, 225}, {0, 0, 0}};
}

double contrastRatio(Rgb a, Rgb b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace vexa
