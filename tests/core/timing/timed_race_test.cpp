#include "timing/timing_fixture.h"

#include "model/event_data.h"
#include "ports/timed_race.h"
#include "settings/prog_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexa::test {
namespace {

// A race engine as timing meets it, with one entrant (car 1, transponder 4012345), booking in:
// records what timing does to it.
class FakeRace : public TimedRace {
  public:
    FakeRace() {
        RaceDriver d;
        d.carno = 1;
        d.compno = 1;
        d.transponder = 4012345;
        drivers.push_back(d);
    }

    bool acceptsPassings() const override { return true; }
    bool raceRunning() const override { return false; }
    bool bookingIn() const override { return true; }
    bool setupDone() const override { return true; }
    int completedRaces() const override { return 0; }
    const RaceDrivers& raceDrivers() const override { return drivers; }
    bool heatRace() const override { return true; }
    int raceNumber() const override { return 1; }
    int roundNumber() const override { return 1; }
    int64_t raceClockStartMs() const override { return 0; }
    double RaceTime() const override { return 0.0; }
    double lastCrossingSecond() const override { return 300.0; }
    int findTransponder(int transponder) const override {
        for (size_t i = 0; i < drivers.size(); ++i)
            if (drivers[i].transponder == transponder) return static_cast<int>(i);
        return -1;
    }
    int findCarNumber(int carno) const override {
        for (size_t i = 0; i < drivers.size(); ++i)
            if (drivers[i].carno == carno) return static_cast<int>(i);
        return -1;
    }
    int freeCarNumber() const override { return static_cast<int>(drivers.size()) + 1; }
    bool canAddUnknownCar() const override { return true; }
    int AddDriver(int CarNo, int, int Transponder) override {
        RaceDriver d;
        d.carno = CarNo;
        d.transponder = Transponder;
        drivers.push_back(d);
        return static_cast<int>(drivers.size()) - 1;
    }
    void keepTransponder(int, int32_t) override {}
    void noteDecoderReading(int, std::optional<int32_t>, std::optional<int32_t>) override {}
    void sortCarPass(int Index, double PassTime) override { passes.push_back({Index, PassTime}); }
    bool sortRecordedPass(int, double) override { return true; }
    void DiagnosticNote(const std::string& text) const override { notes.push_back(text); }
    void countingEquipmentNowManual() override {}
    void announceBookedIn(int) const override {}

    struct Pass {
        int index;
        double time;
    };
    RaceDrivers drivers;
    std::vector<Pass> passes;
    mutable std::vector<std::string> notes;
};

std::string ambrcPassing(const char* transponder, const char* seconds) {
    return std::string("\x01@\t7\t1\t") + transponder + "\t" + seconds + "\t5\t80";
}

// The counting equipment reaches the race only through the narrow port: an AMBrc passing of a
// known transponder is counted for its entrant, one of an unknown transponder adds a car first.
TEST(TimedRacePort, AnAmbrcRecordReachesSortCarPassThroughThePort) {
    VirtualClock clock;
    VirtualScheduler scheduler(clock);
    RecordingPorts ports(clock);
    FakeSerialPort decoderPort, controllerPort;
    FakeSocket socket;
    FakeTimingView view;
    ProgSettings settings;
    settings.countDevice = settingOf(CountingDevice::Ambrc);
    EventData event;
    FakeRace race;
    CountingEquipment equipment(
        TimingData{settings, event, race},
        EquipmentLinks{scheduler, clock, ports, decoderPort, socket, controllerPort, view, view});
    equipment.setDecoderId(7);

    equipment.sortsignal(ambrcPassing("4012345", "12.345"));
    equipment.sortsignal(ambrcPassing("4099999", "13.5"));

    ASSERT_EQ(race.passes.size(), 2u) << (race.notes.empty() ? "" : race.notes.front());
    EXPECT_EQ(race.passes[0].index, 0);
    EXPECT_DOUBLE_EQ(race.passes[0].time, 12.345);
    EXPECT_EQ(race.passes[1].index, 1);
    EXPECT_DOUBLE_EQ(race.passes[1].time, 13.5);
    EXPECT_EQ(race.drivers[1].transponder, 4099999);
}

} // namespace
} // namespace vexa::test
