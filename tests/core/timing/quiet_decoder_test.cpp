// A decoder that sends nothing between passings, through `vexa-cli race`: the plain bytes of its
// records and nothing else, no status records, across a 20 s countdown and a race whose passings
// lie far apart. Silence is not a lost decoder: every passing counts with the decoder's time.
#include "files/event_files.h"
#include "support/cli_race.h"
#include "timing/counting_equipment.h"

#include <algorithm>

using namespace vexa;

namespace {

class QuietDecoder : public test::CliRace, public ::testing::WithParamInterface<int> {
  protected:
    // Three cars in a two-minute heat that starts when the 20 s countdown ends, at 21 s, each
    // lapping in 41, 45 or 49 s: gaps of up to 33 s without a byte, after the 31 s from the
    // presence check to the start.
    QuietDecoder() {
        program.settings.heatMass = true;
        program.settings.countDevice = 2; // AMBrc, on Com 1 or over TCP
        program.settings.count1ComPort = GetParam();
        program.settings.ipAddress = "10.1.1.1";
        program.settings.raceInterval = "20";
        program.settings.raceSetup = "10";
        program.settings.classes[1].qualMinutes = 2;
        for (int id = 1; id <= 3; ++id) {
            driver(id, id);
            program.event.cpts[id].transponder = 210000 + id;
        }
    }

    static std::string passing(int transponder, double decoderTime) {
        char record[80];
        std::snprintf(record, sizeof record, "\x01@\t1\t7\t%d\t%.3f\t5\t80\r\n", transponder,
                      decoderTime);
        return decoderEvent(record);
    }

    // The script: the answer to the presence check, then each car's passings until its first
    // after the two minutes, 20 ms after the decoder made them.
    std::string script() const {
        std::vector<std::pair<double, std::string>> events = {
            {0.5, decoderEvent("\x01$\t1\t0\t0\r\n")}};
        for (int car = 1; car <= 3; ++car)
            for (int n = 1; (n - 1) * lap(car) < 120; ++n)
                events.push_back({21.0 + n * lap(car) + 0.02, passing(210000 + car, n * lap(car))});
        std::stable_sort(events.begin(), events.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::string out;
        for (const auto& [t, what] : events) out += at(t, what);
        return out;
    }
    static double lap(int car) { return 37.0 + 4 * car; }
};

TEST_P(QuietDecoder, EveryPassingCountsWithTheDecodersTime) {
    program.settings.lastLap = "60";
    ASSERT_EQ(run(script()), 0) << output;
    EventData back;
    applyResultsBytes(eventFile("eventfile.qrf"), back);
    for (int car = 1; car <= 3; ++car) {
        SCOPED_TRACE(car);
        EXPECT_EQ(back.cptres[car].laps[1], 3);
        EXPECT_DOUBLE_EQ(back.cptres[car].time[1], 3 * lap(car));
    }
    EXPECT_EQ(output.find("AMB time incorrect"), std::string::npos) << output;
}

INSTANTIATE_TEST_SUITE_P(SerialAndTcp, QuietDecoder, ::testing::Values(0, IpAddressPortEntry),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == 0 ? "Serial" : "Tcp");
                         });

} // namespace
