#pragma once

namespace vexa {

class LiveServer;
class RaceViewBridge;

// The live results server follows the race engine's redraw notices: passings, set-ups and the
// clock.
void followRace(LiveServer& server, RaceViewBridge& view);

} // namespace vexa
