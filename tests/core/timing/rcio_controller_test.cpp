#include "timing_fixture.h"

#include <cstdio>

using namespace vexa;
using vexa::test::TimingFixture;

namespace {

class Controller : public TimingFixture {
  protected:
    Controller() {
        program.settings.rcioComPort = 2;
        program.settings.raceInterval = "10";
        program.settings.raceSetup = "8";
        program.settings.classes[1].tenSecCountdown = false;
        massHeats();
        raceMinutes(1);
        race(1, {1, 2, 3});
        attach();
    }
    // What the controller port received since the last call.
    std::string sent() {
        std::string all;
        for (size_t i = taken_; i < controllerPort.written.size(); ++i)
            all += controllerPort.written[i];
        taken_ = controllerPort.written.size();
        return all;
    }
    static std::vector<ScoreboardPosition>
    order(std::initializer_list<std::pair<int, double>> carsAndGaps) {
        std::vector<ScoreboardPosition> positions;
        for (const auto& [car, gap] : carsAndGaps) positions.push_back({car, gap, true});
        return positions;
    }

  private:
    size_t taken_ = 0;
};

TEST_F(Controller, TextsAtTheirMoments) {
    engine().openRaceScreen();
    EXPECT_EQ(controllerPort.log.front(), "open 2 9600 1");
    EXPECT_TRUE(station.controller.portChoiceLocked());
    EXPECT_EQ(sent(), "#@00\r");
    runTo(1.0); // countdown 10: red light
    EXPECT_EQ(sent(), "#$00-010\r#@00\r#@101\r");
    runTo(2.0);
    EXPECT_EQ(sent(), "#$00-009\r");
    runTo(3.0); // countdown 8: race set-up sends the race number
    EXPECT_EQ(sent(), "#$00-008\r#%0101\r");
    runTo(3.5); // the scoreboard half a second after set-up: cars 1..3, no gaps yet
    EXPECT_EQ(sent(), "#&0123:::::::\r#&1::0::0::0\r");
    runTo(6.0); // the mass-start lights count down from 5
    EXPECT_EQ(sent(), "#$00-007\r#$00-006\r#$00-005\r#@301\r");
    runTo(9.0);
    EXPECT_EQ(sent(), "#$00-004\r#@311\r#$00-003\r#@321\r#$00-002\r#@331\r");
    runTo(10.0);
    EXPECT_EQ(sent(), "#$00-001\r#@341\r");
    runTo(11.0); // zero: set-up again and the start: green, then the mass-start code
    EXPECT_EQ(sent(), "#$00-000\r#%0101\r#@00\r#@121\r#@20\r");
    runTo(raceClockOrigin() + 1.0); // the race clock and the scoreboard every second
    EXPECT_EQ(sent(), "#$000001\r");
    runTo(raceClockOrigin() + 2.0);
    EXPECT_EQ(sent(), "#$000002\r");
}

TEST_F(Controller, ScoreboardShowsCarsUpToTenAndSendsOnlyChanges) {
    engine().openRaceScreen();
    sent();
    station.controller.SendScoreboard(order({{3, 2.0}, {1, 0.0}, {12, -1.0}}));
    EXPECT_EQ(sent(), "#&031::::::::\r#&1::2::0:::\r");
    station.controller.SendScoreboard(order({{3, 2.0}, {1, 0.0}, {12, -1.0}}));
    EXPECT_EQ(sent(), "");
    station.controller.SendScoreboard(order({{0, 0.0}, {10, -1.0}}));
    EXPECT_EQ(sent(), "#&000::::::::\r#&1::0;:1:::\r");
    // A position without a car of 10 or less keeps its car, but not its gap.
    station.controller.SendScoreboard(order({{14, 3.0}, {10, -1.0}}));
    EXPECT_EQ(sent(), "#&1:::;:1:::\r");
    station.controller.ClearScoreboard();
    station.controller.SendScoreboard({});
    EXPECT_EQ(sent(), "#&0::::::::::\r#&1:::::::::\r");
}

TEST_F(Controller, CompatibilityModeSendsOnlyTheRaceNumberByte) {
    program.settings.compatible = true;
    engine().openRaceScreen();
    station.controller.SendRaceNumber(15, 2);
    station.controller.SendRaceNumber(25, 2);
    runTo(12.0);
    EXPECT_EQ(sent(), std::string("\x15\x00\x01\x01", 4));
}

TEST_F(Controller, NoPortNoTexts) {
    program.settings.rcioComPort = 0;
    engine().openRaceScreen();
    runTo(12.0);
    EXPECT_TRUE(controllerPort.log.empty());
    EXPECT_EQ(sent(), "");
}

TEST_F(Controller, WeatherReadings) {
    station.controller.rciocontrollerReceiveData("%012.5\r\n%1-88.8\r%9\r%712\r%4");
    station.controller.rciocontrollerReceiveData("55\r%51013\r");
    EXPECT_EQ(view.weather[WeatherValue::AirTemp], "Air Temp:12.5\xB0"
                                                   "C");
    EXPECT_EQ(view.weather.count(WeatherValue::TrackTemp), 0u);
    EXPECT_EQ(view.weather[WeatherValue::Humidity], "Humidity:55%");
    EXPECT_EQ(view.weather[WeatherValue::Pressure], "Pressure:1013mB");
    EXPECT_EQ(view.weather.size(), 3u);
}

} // namespace
