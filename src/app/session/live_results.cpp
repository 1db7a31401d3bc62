#include "session/live_results.h"

#include "platform/live_server.h"
#include "session/race_view_bridge.h"

namespace vexa {

void followRace(LiveServer& server, RaceViewBridge& view) {
    QObject::connect(&view, &RaceViewBridge::standingsChangedSignal, &server,
                     &LiveServer::raceChanged);
    QObject::connect(&view, &RaceViewBridge::panelChangedSignal, &server, &LiveServer::raceChanged);
}

} // namespace vexa
