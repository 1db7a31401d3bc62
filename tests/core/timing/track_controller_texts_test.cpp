#include "timing/track_controller_texts.h"

#include <gtest/gtest.h>

using namespace vexa;

namespace {

using Texts = std::vector<std::string>;

TEST(TrackControllerTexts, Lights) {
    EXPECT_EQ(lightTexts(0), Texts{"#@00\r"});
    EXPECT_EQ(lightTexts(1), (Texts{"#@00\r", "#@101\r"}));
    EXPECT_EQ(lightTexts(2), (Texts{"#@00\r", "#@111\r"}));
    EXPECT_EQ(lightTexts(3), (Texts{"#@00\r", "#@121\r"}));
    EXPECT_EQ(lightTexts(5), Texts{"#@301\r"});
    EXPECT_EQ(lightTexts(7), Texts{"#@321\r"});
    EXPECT_EQ(lightTexts(9), Texts{"#@341\r"});
    EXPECT_EQ(lightTexts(10), Texts{"#@20\r"});
    for (int silent : {-1, 4, 11, 12, 99}) EXPECT_TRUE(lightTexts(silent).empty()) << silent;
}

TEST(TrackControllerTexts, RaceNumberAndClock) {
    EXPECT_EQ(raceNumberText(5, 2), "#%0205\r");
    EXPECT_EQ(raceNumberText(15, 12), "#%1215\r");
    const struct {
        int heat;
        char byte;
    } packed[] = {{0, 0x00},  {9, 0x09},  {10, 0x10}, {15, 0x15}, {19, 0x19},
                  {20, 0x20}, {21, 0x00}, {25, 0x00}, {-1, 0x00}};
    for (const auto& p : packed) EXPECT_EQ(compatibleRaceNumberByte(p.heat), p.byte) << p.heat;

    EXPECT_EQ(timeDisplayText(true, 125), "#$00-205\r");
    EXPECT_EQ(timeDisplayText(false, 125), "#$000205\r");
    EXPECT_EQ(timeDisplayText(true, 599), "#$00-959\r");
    EXPECT_EQ(timeDisplayText(true, 600), "#$001000\r");
    EXPECT_EQ(timeDisplayText(false, 3725), "#$010205\r");
    EXPECT_EQ(timeDisplayText(false, -4), "#$000000\r");
    EXPECT_EQ(timeDisplayText(true, -4), "#$00-000\r");
}

TEST(TrackControllerTexts, RunningOrderAndGaps) {
    std::array<int, ScoreboardPositions + 1> cars;
    cars.fill(EmptyScoreboardCar);
    cars[1] = 3;
    cars[2] = 1;
    EXPECT_EQ(runningOrderText(cars), "31::::::::");
    cars[3] = 10;
    EXPECT_EQ(runningOrderText(cars), "310:::::::");

    const struct {
        std::array<double, 3> gaps;
        const char* text;
    } cases[] = {
        {{0.0, -1.0, NoScoreboardGap}, "::0;:1:::"},
        {{12.0, 3.4, 2.6}, ":12::3::3"},
        {{123.0, 999.4, 5.0}, "123999::5"},
        {{-9.0, -10.0, -98.0}, ";:9;10;98"},
        {{-0.5, -9.5, -99.0}, ";99;99;99"},
        {{NoScoreboardGap, NoScoreboardGap, NoScoreboardGap}, ":::::::::"},
    };
    for (const auto& c : cases) EXPECT_EQ(gapsText(c.gaps), c.text) << c.text;
}

TEST(TrackControllerTexts, WeatherLines) {
    const struct {
        const char* line;
        std::optional<WeatherValue> which;
        const char* text;
    } cases[] = {
        {"%012.5", WeatherValue::AirTemp,
         "Air Temp:12.5\xB0"
         "C"},
        {"%118", WeatherValue::TrackTemp,
         "Track Temp:18\xB0"
         "C"},
        {"%455.0", WeatherValue::Humidity, "Humidity:55.0%"},
        {"%51013", WeatherValue::Pressure, "Pressure:1013mB"},
        {"%1-88.8", std::nullopt, ""},
        {"%9", std::nullopt, ""},
        {"%712", std::nullopt, ""},
        {"#012.5", std::nullopt, ""},
    };
    for (const auto& c : cases) {
        const std::optional<WeatherReading> r = parseWeatherLine(c.line);
        ASSERT_EQ(r.has_value(), c.which.has_value()) << c.line;
        if (!r) continue;
        EXPECT_EQ(r->which, *c.which) << c.line;
        EXPECT_EQ(r->text, c.text) << c.line;
    }
}

} // namespace
