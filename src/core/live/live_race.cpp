#include "live/live_race.h"

#include "base/plain_text.h"
#include "live/json_writer.h"
#include "settings/ini_file.h"
#include "settings/prog_settings.h"

namespace vexa {

namespace {

const char* stateName(int raceState, bool countdownRunning) {
    switch (raceState) {
    case RaceStates::Running:
        return "running";
    case RaceStates::CountdownPaused:
        // The state stays "paused" after the countdown was started again until the next change.
        return countdownRunning ? "countdown" : "paused";
    case RaceStates::BetweenRaces:
        return "countdown";
    default:
        return "closed";
    }
}

void writeRow(JsonWriter& json, const StandingsRow& row) {
    json.beginObject()
        .key("pos")
        .string(row.pos)
        .key("car")
        .string(row.car)
        .key("name")
        .string(row.name)
        .key("laps")
        .string(row.laps)
        .key("time")
        .string(trimBlanks(row.time))
        .key("lastLap")
        .string(trimBlanks(row.lastLap))
        .key("fastestLap")
        .string(trimBlanks(row.fastestLap))
        .key("gap")
        .string(trimBlanks(row.leaderGap))
        .key("predicted")
        .string(trimBlanks(row.predicted))
        .key("carColour")
        .string(gridColourName(row.carText))
        .key("nameColour")
        .string(gridColourName(row.nameText))
        .key("lapsBackground")
        .string(gridColourName(row.lapsTimeBackground))
        .key("lapsColour")
        .string(gridColourName(row.lapsTimeText))
        .endObject();
}

void writePassing(JsonWriter& json, const LivePassing& p) {
    json.beginObject()
        .key("car")
        .number(p.car)
        .key("name")
        .string(p.name)
        .key("lap")
        .number(p.lap)
        .key("lapTime")
        .string(p.lapTime)
        .key("time")
        .string(p.raceTime)
        .endObject();
}

} // namespace

const char* gridColourName(GridColour colour) {
    switch (colour) {
    case GridColour::Black:
        return "black";
    case GridColour::Fuchsia:
        return "fuchsia";
    case GridColour::Lime:
        return "lime";
    case GridColour::Yellow:
        return "yellow";
    case GridColour::Grey:
        return "grey";
    case GridColour::Red:
        return "red";
    case GridColour::Blue:
        return "blue";
    case GridColour::White:
        return "white";
    case GridColour::Maroon:
        return "maroon";
    case GridColour::Normal:
        break;
    }
    return "normal";
}

std::string liveRaceJson(const LiveRaceState& race, const ProgSettings& settings,
                         const PassingLog& passings, uint64_t sequence) {
    const RaceValues& v = race.values;
    const bool setUp = v.SetupDone || !v.race_drivers.empty();
    JsonWriter json;
    json.beginObject()
        .key("sequence")
        .number(static_cast<int64_t>(sequence))
        .key("event")
        .string(settings.eventTitle)
        .key("state")
        .string(stateName(v.RaceState, race.countdownRunning))
        .key("race")
        .number(setUp ? v.RaceNumber : 0)
        .key("round")
        .number(setUp ? v.RoundNumber : 0)
        .key("kind")
        .string(v.RaceKind == FinalRace ? "final" : "heat")
        .key("final")
        .string(v.RaceKind == FinalRace ? v.FinalLetter : std::string{})
        .key("class")
        .string(setUp ? settings.classSetup(v.RaceClass).name : std::string{})
        .key("title")
        .string(race.panel.heatnumLB)
        .key("clock")
        .string(race.panel.specTimeLB)
        .key("startType")
        .string(race.panel.rtype)
        .key("length")
        .string(race.panel.racedur)
        .key("progress")
        .number(race.panel.timebar)
        .key("rows")
        .beginArray();
    for (const StandingsRow& row : race.standings.rows()) writeRow(json, row);
    json.endArray().key("passings").beginArray();
    for (const LivePassing& p : passings.passings()) writePassing(json, p);
    json.endArray().endObject();
    return json.take();
}

std::string noRaceJson(uint64_t sequence) {
    JsonWriter json;
    json.beginObject()
        .key("sequence")
        .number(static_cast<int64_t>(sequence))
        .key("state")
        .string("closed")
        .key("rows")
        .beginArray()
        .endArray()
        .key("passings")
        .beginArray()
        .endArray()
        .endObject();
    return json.take();
}

} // namespace vexa
