#include "race/standings_tones.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vexa;

namespace {

struct Pair {
    const char* where;
    GridColour text;
    GridColour background;
};

// Every text and background the standings give a cell (the race engine's colour rules), and
// every caption of the colour key.
std::vector<Pair> usedPairs() {
    std::vector<Pair> pairs;
    for (GridColour car : {GridColour::Blue, GridColour::White, GridColour::Maroon})
        pairs.push_back({"Car", car, GridColour::Normal});
    for (GridColour name : {GridColour::Blue, GridColour::Grey, GridColour::Red})
        pairs.push_back({"Name", name, GridColour::Normal});
    for (GridColour background : {GridColour::Black, GridColour::Fuchsia, GridColour::Normal})
        for (GridColour figures : {GridColour::Lime, GridColour::Yellow, GridColour::Blue})
            pairs.push_back({"Laps and Time", figures, background});
    pairs.push_back({"the other columns", GridColour::Black, GridColour::Normal});
    for (const KeyEntry& key : colourKeyEntries())
        pairs.push_back({key.text, key.textColour, key.background});
    return pairs;
}

std::string named(const Pair& p, StandingsTheme theme) {
    return std::string(p.where) + " text " + std::to_string(int(p.text)) + " on " +
           std::to_string(int(p.background)) +
           (theme == StandingsTheme::Dark ? " (dark)" : " (light)");
}

} // namespace

TEST(StandingsTones, EveryPairOfTheStandingsAndTheColourKeyReadsAtFourAndAHalfToOne) {
    for (StandingsTheme theme : {StandingsTheme::Light, StandingsTheme::Dark})
        for (const Pair& p : usedPairs()) {
            const CellTones tones = cellTones(p.text, p.background, theme);
            EXPECT_GE(contrastRatio(tones.text, tones.background), 4.5) << named(p, theme);
        }
}

TEST(StandingsTones, TheRaceScreensOwnTextsReadOnItsWindowAndHeader) {
    for (StandingsTheme theme : {StandingsTheme::Light, StandingsTheme::Dark}) {
        const ThemeTones t = themeTones(theme);
        EXPECT_GE(contrastRatio(t.windowText, t.window), 4.5);
        EXPECT_GE(contrastRatio(t.headerText, t.header), 4.5);
        // The clock in red and the title in blue.
        for (GridColour c : {GridColour::Red, GridColour::Blue})
            EXPECT_GE(contrastRatio(textTone(c, t.window), t.window), 4.5) << int(c);
    }
}

TEST(StandingsTones, TheNamedColoursKeepTheirMeaning) {
    // The backgrounds that tell "SET TO BEAT FTD" and "BEST TIME IN ROUND" stay black and a
    // magenta, and apart from a normal cell in both themes.
    for (StandingsTheme theme : {StandingsTheme::Light, StandingsTheme::Dark}) {
        const Rgb black = cellTones(GridColour::Blue, GridColour::Black, theme).background;
        const Rgb fuchsia = cellTones(GridColour::Blue, GridColour::Fuchsia, theme).background;
        const Rgb normal = cellTones(GridColour::Blue, GridColour::Normal, theme).background;
        EXPECT_EQ(black, (Rgb{0, 0, 0}));
        EXPECT_GT(fuchsia.r, fuchsia.g + 100);
        EXPECT_EQ(fuchsia.r, fuchsia.b);
        EXPECT_NE(normal, black);
        EXPECT_NE(normal, fuchsia);
    }
    // Lime stays green, yellow stays yellow (red and green together), on light and dark alike.
    for (GridColour background : {GridColour::Black, GridColour::Normal}) {
        const Rgb lime = cellTones(GridColour::Lime, background, StandingsTheme::Light).text;
        EXPECT_TRUE(lime.g > 0 && lime.r == 0 && lime.b == 0);
        const Rgb yellow = cellTones(GridColour::Yellow, background, StandingsTheme::Light).text;
        EXPECT_TRUE(yellow.r > 0 && yellow.g > 0 && yellow.b == 0);
    }
    // Known ratios: black on white is 21, a colour on itself 1.
    EXPECT_NEAR(contrastRatio({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio({139, 0, 139}, {139, 0, 139}), 1.0, 1e-9);
}
