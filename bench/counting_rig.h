#pragma once

#include "counted_race_field.h"
#include "ports/decoder_socket.h"
#include "ports/serial_port.h"
#include "ports/timing_view.h"
#include "program/program.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "station/race_station.h"
#include "timing/p3_frame_writer.h"
#include "timing/p3_records.h"

#include <memory>
#include <string>

namespace vexa::bench {

// Links and views that do nothing.
class NoLinks : public SerialPort, public DecoderSocket, public TimingView {
  public:
    bool open(int, const SerialParameters&) override { return true; }
    void close() override {}
    bool isOpen() const override { return true; }
    void setRts(bool) override {}
    void write(const std::string&) override {}
    void open(const std::string&, uint16_t) override {}
    bool active() const override { return false; }
    std::string host() const override { return {}; }
    void showCountingEquipment(const std::string&) override {}
    void showDecoderStatus(const std::string&) override {}
    void showWeather(WeatherValue, const std::string&) override {}
    void showNotice(const std::string&) override {}
};

class QuietPorts : public RecordingPorts {
  public:
    using RecordingPorts::RecordingPorts;
    void play(int, int) override {}
};

// A running mass-start race of 20 cars (prepareCountedRaceField) counted by a decoder of
// identity 7: an AMBrc decoder, or a P3 decoder found by its status over TCP.
struct CountingRig {
    static constexpr uint32_t P3DecoderId = 7;

    VirtualClock clock;
    VirtualScheduler scheduler{clock};
    QuietPorts ports{clock};
    NoLinks links;
    struct SearchNone : SearchWindow {
        void open(const std::string&) override {}
        void setMessage(const std::string&) override {}
        void setProgress(int) override {}
        void close() override {}
    } search;
    Program program;
    std::unique_ptr<RaceStation> station; // the program's: built as the program builds it
    int64_t origin = 0;

    explicit CountingRig(CountingDevice device) {
        prepareCountedRaceField(program);
        program.settings.countDevice = settingOf(device);
        program.settings.decoderSilence = 0; // the benchmarks move the clock by hand
        station =
            buildRaceStation(program, StationPorts{clock, scheduler, ports, ports, ports, nullptr,
                                                   EquipmentLinks{scheduler, clock, ports, links,
                                                                  links, links, links, search}});
        if (device == CountingDevice::P3) {
            program.settings.count1ComPort = IpAddressPortEntry;
            equipment().Setupcountingequipment();
            equipment().AMBClientSocketRead(
                P3FrameWriter(P3Tor::Status).u16(0x01, 40).u32(0x81, P3DecoderId).frame());
        } else {
            equipment().setDecoderId(7);
        }
        engine().openRaceScreen();
        while (engine().values().RaceState != RaceStates::Running && scheduler.fireNext()) {
        }
        origin = clock.milliseconds();
    }

    RaceEngine& engine() { return station->engine(); }
    CountingEquipment& equipment() { return station->equipment(); }
};

} // namespace vexa::bench
