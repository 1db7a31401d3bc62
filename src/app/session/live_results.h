#pragma once

namespace vexa {

class LiveServer;
class RaceViewBridge;
class ScoreboardServer;

// The live results server follows the race engine's redraw notices: passings, set-ups and the
// clock.
void followRace(LiveServer& server, RaceViewBridge& view);
// So does the scoreboard feed.
void followRace(ScoreboardServer& server, RaceViewBridge& view);

} // namespace vexa
