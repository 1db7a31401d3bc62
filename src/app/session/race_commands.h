#pragma once

namespace vexa {

class Session;

// Puts the race panel on the main window's race screen and makes the race screen for
// spectators, the "Penalty" window, the lap counters' keys and the keyboard light, all following
// the race engine's redraw notices.
void wireRaceScreen(Session& session);

} // namespace vexa
