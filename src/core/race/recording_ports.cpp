#include "race/recording_ports.h"

#include "race/race_engine.h"
#include "race/sound_table.h"

#include <cstdio>

namespace vexa {

void RecordingPorts::record(const char* kind, std::string text) {
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

bool RecordingPorts::confirm(const std::string& text) {
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

void RecordingPorts::SendScoreboard(const RaceDrivers& drivers) {
    std::string order;
    for (const auto& position : drivers) {
        if (position.runorder < 0 || static_cast<size_t>(position.runorder) >= drivers.size())
            continue;
        if (!order.empty()) order += ' ';
        order += std::to_string(drivers[static_cast<size_t>(position.runorder)].carno);
    }
    record("scoreboard", order);
}

void RecordingPorts::printRaceLapTimes(const RaceEngine& race, int copies) {
    record("print", "race " + std::to_string(race.RaceNumber) + " lap times, " +
                        std::to_string(copies) + (copies == 1 ? " copy" : " copies"));
}

void RecordingPorts::writeRaceResultsPage(const RaceEngine& race) {
    record("html", "race " + std::to_string(race.RaceNumber));
}

void RecordingPorts::writeUploadFile(const RaceEngine& race) {
    record("upload", "race " + std::to_string(race.RaceNumber));
}

void RecordingPorts::showEndOfRound(const RaceEngine& race) {
    record("endofround", "round " + std::to_string(race.RoundNumber));
}

std::string formatPortEvent(const PortEvent& event) {
    char time[32];
    std::snprintf(time, sizeof time, "%lld.%03lld", static_cast<long long>(event.ms / 1000),
                  static_cast<long long>(event.ms % 1000));
    return std::string(time) + " " + event.kind + " " + event.text;
}

} // namespace vexa
