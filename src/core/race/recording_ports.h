#pragma once

#include "ports/clock.h"
#include "ports/operator.h"
#include "ports/race_outputs.h"
#include "ports/sound_out.h"
#include "ports/timing_equipment.h"
#include "ports/track_controller.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vexa {

// One thing the race engine did to the world, at a moment of its clock.
struct PortEvent {
    int64_t ms = 0;
    std::string kind; // "sound", "lights", "time", "scoreboard", "racenumber", "rcio",
                      // "equipment", "message", "confirm", "print", "html", "upload",
                      // "endofround", "note"
    std::string text;
};

// Ports for running races without hardware: every call is written down as a PortEvent (and
// handed to `echo` when set), sound is always "playing", and confirmations are answered with
// `confirmAnswer`. The headless runner prints these events; tests read them.
class RecordingPorts : public SoundOut,
                       public Operator,
                       public TimingEquipment,
                       public TrackController,
                       public RaceOutputs {
  public:
    explicit RecordingPorts(const Clock& clock) : clock_(clock) {}

    std::vector<PortEvent> events; // every event, unless `keepEvents` is false
    std::function<void(const PortEvent&)> echo;
    // False for a long run that only hands its events on: each one goes to `echo` and is not
    // kept, so a meeting of many races needs no more memory at its end than at its start.
    bool keepEvents = true;
    std::vector<std::string> failures; // the texts of reportFailure, also recorded as messages
    bool confirmAnswer = true;

    // The texts of the events of one kind, in order.
    std::vector<std::string> texts(const std::string& kind) const;
    // The sound files played (without channel), in order.
    std::vector<std::string> sounds() const;
    void clear() { events.clear(); }
    // Writes a diagnostic note as an event.
    void note(const std::string& text) { record("note", text); }

    // SoundOut
    void load(int, const std::filesystem::path&) override {}
    bool active() const override { return true; }
    void play(int channel, int slot) override;
    // Operator
    void inform(const std::string& text) override { record("message", text); }
    void reportFailure(const std::string& text) override;
    bool ask(const std::string& text, Buttons buttons) override;
    // TimingEquipment: counts with `device`
    CountingDevice device = CountingDevice::Manual;
    CountingDevice countDevice() const override { return device; }
    void TurnAmbOn(bool raceRunning) override;
    void TurnAmbOff() override { record("equipment", "off"); }
    // TrackController
    void OpenRcioPort() override { record("rcio", "open"); }
    void SetLights(StartLight code) override {
        record("lights", std::to_string(static_cast<int>(code)));
    }
    void SendRaceNumber(int heat, int round) override;
    void SendTimeDisplay(bool countdown, int seconds) override;
    void ClearScoreboard() override { record("scoreboard", "clear"); }
    void SendScoreboard(const std::vector<ScoreboardPosition>& positions) override;
    // RaceOutputs
    void printRaceLapTimes(const FinishedRace& race, int copies) override;
    void writeRaceResultsPage(const FinishedRace& race) override;
    void prepareUploadFile(const FinishedRace&) override {} // the "upload" event is the append
    void writeUploadFile(const FinishedRace& race) override;
    void showEndOfRound(int roundNumber) override;

  private:
    void record(const char* kind, std::string text);

    const Clock& clock_;
};

// An event as one line: seconds with 3 decimals, the kind and the text.
std::string formatPortEvent(const PortEvent& event);

} // namespace vexa
