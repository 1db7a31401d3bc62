#include "race/standings.h"
#include "support/race_fixture.h"

using namespace vexa;
using vexa::test::RaceFixture;

namespace {
class StandingsRows : public RaceFixture {
  protected:
    const StandingsRow& row(int r) {
        return engine().standings().rows()[static_cast<size_t>(r - 1)];
    }
};
} // namespace

TEST_F(StandingsRows, GapsAndPredictionsAsTheyAreShown) {
    massHeats();
    race(1, {1, 2, 3});
    openAndStart();
    keyAt(20, '1');
    keyAt(23.5, '2');
    keyAt(40, '1');
    keyAt(60, '1');
    keyAt(80, '1');
    EXPECT_EQ(row(1).car, "1");
    EXPECT_EQ(row(1).leaderGap, "4 Laps");
    EXPECT_EQ(row(1).laps, "4");
    EXPECT_EQ(row(1).time, " 80.00");
    EXPECT_EQ(row(1).lastLap, " 20.00");
    EXPECT_EQ(row(1).predicted, "16/320.00");
    EXPECT_EQ(row(2).leaderGap, "-3 Laps");
    // Car 3 never crossed: no longer running after 30 s, so its gap follows the leader.
    EXPECT_EQ(row(3).leaderGap, "-4 Laps");
    keyAt(83.5, '2');
    keyAt(85, '2'); // too early: maroon
    EXPECT_EQ(row(2).carText, GridColour::Maroon);
    keyAt(100, '1');
    keyAt(103.5, '2'); // car 2 on lap 3, the leader on lap 5
    keyAt(120, '1');
    keyAt(123.5, '2');
    keyAt(140, '1');
    keyAt(143.5, '2');
    keyAt(160, '1');
    keyAt(163.5, '2');
    keyAt(180, '1');
    keyAt(183.5, '2');
    EXPECT_EQ(row(2).leaderGap, "-2 Laps");
    // Operator grid extra slots by default: leader gap, predicted result.
    EXPECT_EQ(row(2).extra[0], row(2).leaderGap);
    EXPECT_EQ(row(2).extra[1], row(2).predicted);
    EXPECT_EQ(row(2).extra[2], "");
}

TEST_F(StandingsRows, OnTheLeadersLapTheGapIsInSeconds) {
    massHeats();
    race(1, {1, 2});
    openAndStart();
    keyAt(20, '1');
    keyAt(23.5, '2');
    EXPECT_EQ(row(2).leaderGap, "+   3.50");
    EXPECT_EQ(row(1).leaderGap, "1 Lap");
}

TEST_F(StandingsRows, ColoursTellPredictionAgainstFtdRoundBestAndOwnBest) {
    massHeats();
    program.settings.roundNumber = 2;
    race(1, {1, 2, 3});
    competitor(4);
    program.event.storeResult(4, 2, 13, 300.0); // round best
    program.event.storeResult(2, 1, 15, 300.0); // his own best and the FTD of the class
    program.event.storeResult(3, 1, 12, 290.0);
    openAndStart();
    keyAt(17, '1'); // predicts 18 laps: beats the FTD
    EXPECT_EQ(row(1).lapsTimeBackground, GridColour::Black);
    EXPECT_EQ(row(1).lapsTimeText, GridColour::Lime); // no earlier result: improved at once
    keyAt(21, '2');
    keyAt(21.5, '3');
    keyAt(42, '2'); // predicts 15 laps in 315 s: not the FTD, beats the round best
    keyAt(45, '3'); // 14 in 315: beats the round best of 13 and his own 12
    auto rowOf = [&](const std::string& car) {
        for (const auto& r : engine().standings().rows()) // read as the grids read them
            if (r.car == car) return r;
        return StandingsRow{};
    };
    EXPECT_EQ(rowOf("2").lapsTimeBackground, GridColour::Fuchsia);
    EXPECT_EQ(rowOf("2").lapsTimeText, GridColour::Blue); // 15 in 315 does not beat 15 in 300
    EXPECT_EQ(rowOf("3").lapsTimeBackground, GridColour::Fuchsia);
    EXPECT_EQ(rowOf("3").lapsTimeText, GridColour::Yellow);
    EXPECT_EQ(rowOf("3").nameText, GridColour::Blue);
    // No crossing for longer than the maximum last lap: grey, prediction frozen.
    runTo(raceStart() + 80);
    EXPECT_EQ(rowOf("3").nameText, GridColour::Grey);
    EXPECT_EQ(rowOf("3").predicted, "2/ 45.00");
}

TEST_F(StandingsRows, ExtraColumnsOnANarrowAndAWideGrid) {
    massHeats();
    program.settings.trackLength = "1609.344";
    race(1, {1});
    openAndStart();
    Standings& st = engine().standings();
    st.setSlot(1, ExtraColumn::AverageLap);
    st.setSlot(2, ExtraColumn::AverageSpeed);
    st.setSlot(3, ExtraColumn::HitsSignal); // not visible on a narrow grid: ignored
    EXPECT_EQ(st.extraHeader(1), "Average Lap");
    EXPECT_EQ(st.extraHeader(3), "");
    engine().SetExtraColumnHeaders();
    EXPECT_EQ(row(1).extra[0], "");
    EXPECT_EQ(row(1).extra[1], "0.00");
    keyAt(36, '1');
    EXPECT_EQ(row(1).extra[0], " 36.00");
    EXPECT_EQ(row(1).extra[1], "100.00"); // one mile in 36 s
    EXPECT_EQ(row(1).extra[2], "");
    st.setWide(true);
    st.setSlot(3, ExtraColumn::HitsSignal);
    st.setSlot(4, ExtraColumn::SpeedTrap);
    engine().noteDecoderReading(0, 5, 80);
    engine().SetExtraColumnHeaders();
    EXPECT_EQ(st.extraHeader(4), "Speed Trap");
    EXPECT_EQ(row(1).extra[2], "5 / 80");
    EXPECT_EQ(row(1).extra[3], "0.00");
}

// The rows show the numbers as the last update took them, whenever they are read: a change of
// the entrants after it shows only with the next update; a car cell marked in between is told by
// its row and shows its colour when the rows are read.
TEST(Standings, RowsShowTheNumbersOfTheLastUpdateWheneverRead) {
    RaceDrivers drivers(2);
    for (int e = 0; e < 2; ++e) {
        drivers[static_cast<size_t>(e)].carno = e + 1;
        drivers[static_cast<size_t>(e)].drivername = "Driver " + std::to_string(e + 1);
    }
    drivers[0].runorder = 1; // car 2 leads
    drivers[1].runorder = 0;
    drivers[1].lapcount = 3;
    drivers[1].lastpass = 61.5;
    Standings standings;
    standings.update(drivers, {});
    drivers[1].lapcount = 4; // not updated yet
    drivers[0].passmark = RaceDriver::PassNotCounted;
    EXPECT_EQ(standings.MarkCarCell(drivers, 0), 2);
    EXPECT_EQ(standings.rows()[0].car, "2");
    EXPECT_EQ(standings.rows()[0].laps, "3");
    EXPECT_EQ(standings.rows()[0].time, " 61.50");
    EXPECT_EQ(standings.rows()[1].carText, GridColour::Maroon);

    Standings built;
    built.build(drivers, {});
    standings.update(drivers, {});
    ASSERT_EQ(standings.rows().size(), 2u);
    for (size_t r = 0; r < 2; ++r) {
        EXPECT_EQ(standings.rows()[r].laps, built.rows()[r].laps);
        EXPECT_EQ(standings.rows()[r].predicted, built.rows()[r].predicted);
        EXPECT_EQ(standings.rows()[r].carText, built.rows()[r].carText);
    }
    EXPECT_EQ(standings.rows()[0].laps, "4");
    drivers[1].passmark = RaceDriver::PassCounted; // marked once the rows are made
    EXPECT_EQ(standings.MarkCarCell(drivers, 1), 1);
    EXPECT_EQ(standings.rows()[0].carText, GridColour::White);
}
