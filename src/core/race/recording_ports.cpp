#include "race/recording_ports.h"

#include "race/race_engine.h"
#include "race/sound_table.h"

#include <cstdio>

namespace vexa {

void RecordingPorts::record(const char* kind, std::string text) {
    if (!keepEvents) {
        if (echo) echo({clock_.milliseconds(), kind, std::move(text)});
        return;
    }
    events.push_back({clock_.milliseconds(), kind, std::move(text)});
    if (echo) echo(events.back());
}

std::vector<std::string> RecordingPorts::texts(const std::string& kind) const {
    std::vector<std::string> out;
    for (const auto& e : events)
        if (e.kind == kind) out.push_back(e.text);
    return out;
}

std::vector<std::string> RecordingPorts::sounds() const {
    std::vector<std::string> out;
    for (const auto& e : events)
        if (e.kind == "sound") out.push_back(e.text.substr(e.text.find(' ') + 1));
    return out;
}

void RecordingPorts::play(int channel, int slot) {
    record("sound", std::to_string(channel) + " " + SoundFileName(slot));
}

void RecordingPorts::reportFailure(const std::string& text) {
    failures.push_back(text);
    record("message", text);
}

bool RecordingPorts::ask(const std::string& text, Buttons) {
    record("confirm", text + (confirmAnswer ? " -> OK" : " -> Cancel"));
    return confirmAnswer;
}

void RecordingPorts::TurnAmbOn(bool raceRunning) {
    record("equipment", raceRunning ? "on race" : "on booking");
}

void RecordingPorts::SendRaceNumber(int heat, int round) {
    record("racenumber", "heat " + std::to_string(heat) + " round " + std::to_string(round));
}

void RecordingPorts::SendTimeDisplay(bool countdown, int seconds) {
    record("time", (countdown ? "countdown " : "race ") + std::to_string(seconds));
}

void RecordingPorts::SendScoreboard(const std::vector<ScoreboardPosition>& positions) {
    std::string order;
    for (const ScoreboardPosition& position : positions) {
        if (!position.present) continue;
        if (!order.empty()) order += ' ';
        order += std::to_string(position.carno);
    }
    record("scoreboard", order);
}

void RecordingPorts::printRaceLapTimes(const FinishedRace& race, int copies) {
    record("print", "race " + std::to_string(race.raceNumber) + " lap times, " +
                        std::to_string(copies) + (copies == 1 ? " copy" : " copies"));
}

void RecordingPorts::writeRaceResultsPage(const FinishedRace& race) {
    record("html", "race " + std::to_string(race.raceNumber));
}

void RecordingPorts::writeUploadFile(const FinishedRace& race) {
    record("upload", "race " + std::to_string(race.raceNumber));
}

void RecordingPorts::showEndOfRound(int roundNumber) {
    record("endofround", "round " + std::to_string(roundNumber));
}

std::string formatPortEvent(const PortEvent& event) {
    char time[32];
    std::snprintf(time, sizeof time, "%lld.%03lld", static_cast<long long>(event.ms / 1000),
                  static_cast<long long>(event.ms % 1000));
    return std::string(time) + " " + event.kind + " " + event.text;
}

} // namespace vexa
