#include "program/message_desk.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"

#include <functional>

#include <gtest/gtest.h>

using namespace vexa;

namespace {

// A desk over recording message boxes, with a race that runs when told and an event loop whose
// next turn comes when the test says.
struct DeskRig {
    VirtualClock clock;
    RecordingPorts boxes{clock};
    bool raceRuns = false;
    std::vector<std::string> notices;
    std::vector<std::function<void()>> nextTurn;
    MessageDesk desk{{boxes, [this](std::function<void()> call) { nextTurn.push_back(call); },
                      [] { return LocalMoment::withPlainTexts(2026, 6, 14, 9, 5, 7); }}};

    void turn() {
        auto calls = std::move(nextTurn);
        nextTurn.clear();
        for (auto& call : calls) call();
    }
    DeskRig() {
        desk.setRaceUnderWay([this] { return raceRuns; });
        desk.onNotice([this](const std::string& text) { notices.push_back(text); });
    }
    std::vector<std::string> shown() const { return boxes.texts("message"); }
};

} // namespace

TEST(MessageDesk, AMessageGivenDuringARaceWaitsForItsEndButIsLoggedAndNoticedAtOnce) {
    DeskRig rig;
    rig.raceRuns = true;
    rig.desk.reportFailure("No printer is installed: the report was not printed");
    rig.desk.notify("The decoder's connection was lost");
    EXPECT_TRUE(rig.shown().empty());
    EXPECT_EQ(rig.desk.waiting(), 2u);
    EXPECT_EQ(rig.notices.back(), "The decoder's connection was lost");
    ASSERT_EQ(rig.desk.log().size(), 2u);
    EXPECT_EQ(rig.desk.log()[0].time, "09:05:07");
    EXPECT_EQ(rig.desk.log()[0].text, "No printer is installed: the report was not printed");

    // The race goes on: the boxes keep waiting, whatever the race engine tells.
    rig.desk.raceChanged();
    rig.turn();
    EXPECT_TRUE(rig.shown().empty());

    // No race runs: the boxes come at the next turn, never inside the engine's own call.
    rig.raceRuns = false;
    rig.desk.raceChanged();
    rig.desk.raceChanged(); // told twice, shown once
    EXPECT_TRUE(rig.shown().empty());
    rig.turn();
    EXPECT_EQ(rig.shown(),
              (std::vector<std::string>{"No printer is installed: the report was not printed",
                                        "The decoder's connection was lost"}));
    // A failure is still told as a failure (a run without a screen counts it).
    EXPECT_EQ(rig.boxes.failures.size(), 1u);
    EXPECT_EQ(rig.desk.waiting(), 0u);
}

TEST(MessageDesk, WithoutARaceAMessageIsShownAtOnceAndAnswersGoStraightToTheBoxes) {
    DeskRig rig;
    rig.desk.notify("Passings recovered");
    EXPECT_EQ(rig.shown(), std::vector<std::string>{"Passings recovered"});
    // Messages in answer to the operator and questions are never logged nor held back.
    rig.raceRuns = true;
    rig.desk.inform("No car with that number");
    rig.boxes.confirmAnswer = false;
    EXPECT_FALSE(rig.desk.ask("Restart the Race", Buttons::OkCancel));
    EXPECT_EQ(rig.shown(),
              (std::vector<std::string>{"Passings recovered", "No car with that number"}));
    EXPECT_EQ(rig.desk.log().size(), 1u);
}

TEST(MessageDesk, ANoticeOfTheTimingEquipmentIsOnlyLogged) {
    DeskRig rig;
    int redrawn = 0;
    rig.desk.onLogged([&redrawn] { ++redrawn; });
    rig.desk.logNotice("Decoder found again");
    EXPECT_EQ(redrawn, 1);
    EXPECT_TRUE(rig.shown().empty());
    EXPECT_TRUE(rig.notices.empty()); // the timing panel shows it itself
    ASSERT_EQ(rig.desk.log().size(), 1u);
    EXPECT_EQ(rig.desk.log()[0].text, "Decoder found again");
}

TEST(MessageDesk, ARaceThatStartsWhileBoxesAreShownHoldsBackTheRest) {
    DeskRig rig;
    rig.raceRuns = true;
    rig.desk.notify("first");
    rig.desk.notify("second");
    rig.raceRuns = false;
    rig.desk.raceChanged();
    // The first box runs the event loop; meanwhile the next race starts.
    rig.boxes.echo = [&rig](const PortEvent&) { rig.raceRuns = true; };
    rig.turn();
    EXPECT_EQ(rig.shown(), std::vector<std::string>{"first"});
    EXPECT_EQ(rig.desk.waiting(), 1u);
}
