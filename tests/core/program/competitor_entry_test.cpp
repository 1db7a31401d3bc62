#include "files/event_files.h"
#include "files/file_io.h"
#include "program/competitor_entry.h"
#include "program/event_store.h"
#include "support/event_builder.h"
#include "support/program_fixture.h"

#include <gtest/gtest.h>

using namespace vexa;
using vexa::test::driver;

namespace {

class CompetitorEntryTest : public test::ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        program.settings.classes[4].name = "Touring";
    }
};

TEST_F(CompetitorEntryTest, TheIdBox) {
    CompetitorEntry entry(program);
    struct Case {
        const char* typed;
        int shown;
        bool told;
    };
    const Case cases[] = {{"12", 12, false}, {"", 1, false},   {"300", 300, false},
                          {"0", 1, true},    {"301", 1, true}, {"999", 1, true},
                          {"-4", 1, true},   {"abc", 1, true}};
    for (const Case& c : cases) {
        entry.show(50);
        const auto message = entry.showTyped(c.typed, entry.shownResults());
        EXPECT_EQ(entry.id(), c.shown) << c.typed;
        EXPECT_EQ(message.has_value(), c.told) << c.typed;
        if (message) {
            EXPECT_EQ(*message, "Remember numbers are from 1 to 300");
        }
    }
}

TEST_F(CompetitorEntryTest, BackAndForwardStopAtTheEndsAndForwardCarriesTheClass) {
    driver(program.event, 2, "Ann Lee", 4);
    driver(program.event, 4, "Bob Day", 7);
    CompetitorEntry entry(program);
    entry.show(2);
    entry.forward(entry.shownResults());
    EXPECT_EQ(entry.id(), 3);
    EXPECT_EQ(entry.competitor().classno, 4); // free entry: the class shown is kept
    EXPECT_EQ(entry.className(), "Touring");
    entry.forward(entry.shownResults());
    EXPECT_EQ(entry.competitor().classno, 7); // an entry in use keeps its own
    entry.back(entry.shownResults());
    entry.back(entry.shownResults());
    entry.back(entry.shownResults());
    entry.back(entry.shownResults());
    EXPECT_EQ(entry.id(), 1);
    EXPECT_EQ(program.event.competitor(1).classno, 0); // going back carries nothing

    entry.show(300);
    entry.forward(entry.shownResults());
    EXPECT_EQ(entry.id(), 300);
}

TEST_F(CompetitorEntryTest, AFreeEntryTakesItsFrequencyNeedFromTheSettings) {
    driver(program.event, 1, "Ann Lee").setNoFreqNeeded(true);
    program.settings.requiresFreq = false;
    CompetitorEntry entry(program);
    entry.show(2);
    EXPECT_TRUE(entry.competitor().noFreqNeeded());
    EXPECT_EQ(entry.freqText(), "Not Req/2.4Ghz");
    program.settings.requiresFreq = true;
    entry.show(2);
    EXPECT_FALSE(entry.competitor().noFreqNeeded());
    EXPECT_EQ(entry.freqText(), "None");
    entry.show(1); // an entry in use keeps its flag
    EXPECT_TRUE(entry.competitor().noFreqNeeded());
}

TEST_F(CompetitorEntryTest, BoxRules) {
    program.freqnames.names[3] = "27.095 Red";
    program.freqnames.names[5] = "40.665 Blue";
    CompetitorEntry entry(program);
    entry.show(5);
    entry.setName("ann van der lee-smith junior");
    EXPECT_EQ(entry.competitor().name, "ann van der lee-smith jun");
    entry.capitaliseName();
    EXPECT_EQ(entry.competitor().name, "Ann Van Der Lee-smith Jun");
    EXPECT_EQ(entry.setAbility("150"), std::optional<std::string>("100"));
    EXPECT_EQ(entry.competitor().ability, 100);
    EXPECT_EQ(entry.setAbility(""), std::nullopt);
    EXPECT_EQ(entry.competitor().ability, 0);
    EXPECT_EQ(entry.abilityText(), "");
    entry.setAbility("55");
    EXPECT_EQ(entry.abilityText(), "55");
    entry.setMemno("A1234567");
    EXPECT_EQ(entry.competitor().memno, "A12345");
    entry.setTransponder("1234567");
    EXPECT_EQ(entry.transponderText(), "1234567");
    entry.setTransponder("");
    EXPECT_EQ(entry.competitor().transponder, 0);
    EXPECT_EQ(entry.transponderText(), "");
    entry.setClass(31);
    EXPECT_EQ(entry.competitor().classno, 30);
    entry.setEnabled(false);
    EXPECT_EQ(entry.competitor().enabled, 'N');

    entry.setNoFreqNeeded(false);
    program.event.competitor(5).heatfreq = 3;
    program.event.competitor(5).finalfreq = 5;
    EXPECT_EQ(entry.freqText(), "27.095 Red");
    program.settings.racingHeats = false;
    EXPECT_EQ(entry.freqText(), "40.665 Blue");

    entry.setPicture("ann.jpg");
    EXPECT_EQ(program.event.competitor(5).picture, "ann.jpg");
}

TEST_F(CompetitorEntryTest, HidingStoresTheResultsAndWritesBothFiles) {
    ASSERT_TRUE(createEvent(program, "Club").ok);
    const auto competitorsBefore = readWholeFile(program.paths->competitors);
    driver(program.event, 1, "Ann Lee");
    CompetitorEntry entry(program);
    entry.show(1);
    ResultRows typed = entry.shownResults();
    typed[3] = {"12", "301.5"};
    ASSERT_TRUE(entry.hide(typed).ok);

    EventData back;
    ASSERT_TRUE(readCompetitors(program.paths->competitors, back).ok);
    readResults(program.paths->results, back);
    EXPECT_EQ(back.competitor(1).name, "Ann Lee");
    EXPECT_EQ(back.cptres[1].laps[3], 12);
    EXPECT_DOUBLE_EQ(back.cptres[1].time[3], 301.5);
    EXPECT_NE(readWholeFile(program.paths->competitors), competitorsBefore);
}

TEST_F(CompetitorEntryTest, MovingStoresTheTypedResultsOfTheEntryLeft) {
    CompetitorEntry entry(program);
    entry.show(10);
    ResultRows typed = entry.shownResults();
    typed[1] = {"8", "180.25"};
    entry.forward(typed);
    EXPECT_EQ(program.event.cptres[10].laps[1], 8);
    EXPECT_FALSE(program.event.cptres[11].hasResult(1));
    EXPECT_EQ(entry.shownResults()[1], ResultCells{});

    typed = entry.shownResults();
    typed[2] = {"9", ""};
    entry.back(typed);
    EXPECT_EQ(program.event.cptres[11].laps[2], 9);
    EXPECT_EQ(entry.shownResults()[1], (ResultCells{"8", "180.250"}));

    typed = entry.shownResults();
    typed[5] = {"", "99.5"};
    entry.showTyped("200", typed);
    EXPECT_DOUBLE_EQ(program.event.cptres[10].time[5], 99.5);
}

} // namespace
