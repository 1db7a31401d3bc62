#pragma once

#include "ports/timing_equipment.h"
#include "race/standings.h"

#include <array>

namespace vexa {

// The main window is wide enough for four extra columns of the operator grid from this width on;
// narrower, it shows two.
inline constexpr int WideMainWindowWidth = 990;

inline bool wideOperatorGrid(int mainWindowWidth) {
    return mainWindowWidth >= WideMainWindowWidth;
}

// The operator grid's first extra column; slot k is grid column FirstExtraColumn + k - 1.
inline constexpr int FirstExtraColumn = 7;

// The extra slot (1..visible slots) whose header was clicked, or 0 when the click opens no
// menu: not an extra column, or the counting keys are on (a stray click must not change the grid
// while laps are typed).
int extraSlotAtColumn(const Standings& standings, int gridColumn, bool keysOn);

// One item of the extra-column menu.
struct ExtraColumnMenuItem {
    ExtraColumn type;
    const char* caption;
    bool enabled;
};

// The extra-column menu as it opens: a type already shown in a visible slot is disabled; the
// speed trap only with an AMBrc decoder whose speed trap is enabled; hits and signal strength
// not with manual counting.
std::array<ExtraColumnMenuItem, 7> extraColumnMenu(const Standings& standings,
                                                   CountingDevice device, bool speedTrapEnabled);

} // namespace vexa
