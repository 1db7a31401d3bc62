#pragma once

#include "ports/decoder_socket.h"
#include "ports/serial_port.h"
#include "ports/timing_view.h"
#include "station/attached_race.h"
#include "support/race_fixture.h"
#include "timing/timing_station.h"

#include <map>
#include <string>
#include <vector>

namespace vexa::test {

// The commands that switch the AMBrc decoder of identity 12 on and off; during a race it is
// switched on without command 24, which would restart its clock.
inline const std::string SwitchOn = "\x01?,12,0,24,1,\r\n\x01?,12,0,9,0,\r\n\x01?,12,0,14,1,0,\r\n";
inline const std::string SwitchOnInRace = "\x01?,12,0,9,0,\r\n\x01?,12,0,14,1,0,\r\n";
inline const std::string SwitchOff = "\x01?,12,0,14,0,1,\r\n";

// A serial port that writes down what is done to it. Ports listed in `missing` do not open.
class FakeSerialPort : public SerialPort {
  public:
    bool open(int comNumber, const SerialParameters& p) override {
        log.push_back("open " + std::to_string(comNumber) + " " + std::to_string(p.baudRate) + " " +
                      std::to_string(p.stopBits));
        if (missing.count(comNumber)) return false;
        com = comNumber;
        parameters = p;
        opened = true;
        return true;
    }
    void close() override {
        if (opened) log.push_back("close");
        opened = false;
    }
    bool isOpen() const override { return opened; }
    void setRts(bool on) override {
        rts = on;
        log.push_back(on ? "rts on" : "rts off");
    }
    void write(const std::string& bytes) override {
        if (opened) written.push_back(bytes);
    }
    // Everything written, joined.
    std::string output() const {
        std::string all;
        for (const auto& w : written) all += w;
        return all;
    }

    std::map<int, bool> missing;
    std::vector<std::string> log;
    std::vector<std::string> written;
    SerialParameters parameters;
    int com = 0;
    bool opened = false;
    bool rts = false;
};

class FakeSocket : public DecoderSocket {
  public:
    void open(const std::string& address, uint16_t port) override {
        host_ = address;
        defaultPort = port;
        isActive = true;
        ++opens;
    }
    void close() override { isActive = false; }
    bool active() const override { return isActive; }
    std::string host() const override { return host_; }
    void write(const std::string& bytes) override {
        if (isActive) written.push_back(bytes);
    }

    bool isActive = false;
    int opens = 0;
    uint16_t defaultPort = 0;
    std::vector<std::string> written;

  private:
    std::string host_;
};

class FakeTimingView : public TimingView, public SearchWindow, public MonitorView {
  public:
    void showCountingEquipment(const std::string& text) override { counting = text; }
    void showDecoderStatus(const std::string& text) override { decoderStatus = text; }
    void showWeather(WeatherValue which, const std::string& text) override {
        weather[which] = text;
    }
    void showNotice(const std::string& text) override { notices.push_back(text); }

    void open(const std::string& message) override {
        searchOpen = true;
        ++searchOpened;
        searchMessage = message;
        progress = 0;
    }
    void setMessage(const std::string& message) override { searchMessage = message; }
    void setProgress(int step) override { progress = step; }
    void close() override { searchOpen = false; }

    void setLabel(const std::string& text) override { monitorLabel = text; }
    void addLines(const std::vector<std::string>& lines) override {
        memo.insert(memo.end(), lines.begin(), lines.end());
    }
    void clear() override { memo.clear(); }

    std::string counting;
    std::string decoderStatus;
    std::map<WeatherValue, std::string> weather;
    std::vector<std::string> notices;
    bool searchOpen = false;
    int searchOpened = 0;
    std::string searchMessage;
    int progress = -1;
    std::string monitorLabel;
    std::vector<std::string> memo;
};

// A race engine whose counting equipment and track controller are the real ones, on fake links.
class TimingFixture : public RaceFixture {
  protected:
    TimingFixture()
        : station(TimingData{program.settings, program.event, attachedRace},
                  EquipmentLinks{scheduler, clock, ports, decoderPort, socket, controllerPort, view,
                                 view}) {
        station.equipment.transponderTest().setView(&view);
    }
    ~TimingFixture() override {
        drivenEngine = nullptr;
        raceEngine.reset();
    }

    // Creates the engine on the station; settings the engine reads at creation come first.
    RaceEngine& attach() {
        if (!drivenEngine) {
            station.equipment.setCountDevice(
                countingDeviceFromSetting(program.settings.countDevice));
            raceEngine = std::make_unique<RaceEngine>(
                raceData(program), RacePorts{clock, scheduler, ports, ports, station.equipment,
                                             station.controller, ports, nullptr});
            raceEngine->setDiagnostics([this](const std::string& t) { ports.note(t); });
            drivenEngine = raceEngine.get();
        }
        return *drivenEngine;
    }
    CountingEquipment& equipment() { return station.equipment; }

    // Opens the race screen and runs the countdown up to the race set-up point.
    // Both stop after ten virtual minutes at most.
    void untilBookingIn() {
        engine().openRaceScreen();
        const int64_t limit = scheduler.now() + 600000;
        while (!engine().values().BookingIn && scheduler.now() < limit && scheduler.fireNext()) {
        }
        ASSERT_TRUE(engine().values().BookingIn);
    }
    void untilRunning() {
        const int64_t limit = scheduler.now() + 600000;
        while (engine().values().RaceState != RaceStates::Running && scheduler.now() < limit &&
               scheduler.fireNext()) {
        }
        ASSERT_EQ(engine().values().RaceState, RaceStates::Running);
    }
    // Everything written to the socket, joined.
    std::string socketOutput() const {
        std::string all;
        for (const auto& w : socket.written) all += w;
        return all;
    }

    // An AMBrc record with its fields, without the line end.
    static std::string ambrc(char type, std::initializer_list<std::string> fields) {
        std::string record = std::string("\x01") + type;
        for (const std::string& f : fields) record += "\t" + f;
        return record;
    }
    static std::string passing(int decoder, int transponder, double time, int hits = 5,
                               int signal = 80) {
        char t[32];
        std::snprintf(t, sizeof t, "%.3f", time);
        return ambrc('@', {std::to_string(decoder), "1", std::to_string(transponder), t,
                           std::to_string(hits), std::to_string(signal)});
    }
    static std::string command(int decoder, std::string items) {
        return "\x01?," + std::to_string(decoder) + ",0," + items + "\r\n";
    }

    FakeSerialPort decoderPort;
    FakeSerialPort controllerPort;
    FakeSocket socket;
    FakeTimingView view;
    AttachedRace attachedRace{drivenEngine}; // whichever engine the fixture drives
    TimingStation station;
};

} // namespace vexa::test
