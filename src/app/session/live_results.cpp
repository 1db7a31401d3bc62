#include "session/live_results.h"

#include "platform/live_server.h"
#include "platform/scoreboard_server.h"
#include "session/race_view_bridge.h"

namespace vexa {

void followRace(LiveServer& server, RaceViewBridge& view) {
    QObject::connect(&view, &RaceViewBridge::standingsChangedSignal, &server,
                     &LiveServer::raceChanged);
    QObject::connect(&view, &RaceViewBridge::panelChangedSignal, &server, &LiveServer::raceChanged);
}

void followRace(ScoreboardServer& server, RaceViewBridge& view) {
    QObject::connect(&view, &RaceViewBridge::standingsChangedSignal, &server,
                     &ScoreboardServer::raceChanged);
    QObject::connect(&view, &RaceViewBridge::panelChangedSignal, &server,
                     &ScoreboardServer::raceChanged);
}

} // namespace vexa
