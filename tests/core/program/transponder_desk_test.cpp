// The transponder desk: loan transponders lent at booking-in, returned with one press, listed
// while out, and every change in the file before it counts.
#include "program/transponder_desk.h"

#include "files/event_files.h"
#include "files/file_io.h"
#include "program/event_store.h"
#include "support/program_fixture.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace vexa;
namespace fs = std::filesystem;

namespace {

class TransponderDeskTest : public ::testing::Test {
  protected:
    TransponderDeskTest() {
        event.cpts[3].name = "Bob Ray";
        event.cpts[3].transponder = 3301;
        event.cpts[4].name = "Ann Lee";
        EXPECT_TRUE(desk.add("4012345", "Club 3").ok);
        EXPECT_TRUE(desk.add(" 2001234 ", "Club 1").ok);
    }

    std::string fileText() const {
        const auto bytes = readWholeFile(file);
        return bytes ? std::string(bytes->begin(), bytes->end()) : std::string{};
    }

    test::TempDir dir;
    fs::path file = dir.path() / "transponders.ini";
    TransponderDesk desk{file};
    EventData event;
};

} // namespace

TEST_F(TransponderDeskTest, LentReturnedAndListedWhileOut) {
    ASSERT_TRUE(desk.lend(4012345, event, "Club Day", 3).ok);
    EXPECT_EQ(event.cpts[3].transponder, 4012345);
    // The loan is in the file at once: a desk opened afresh (the next start) sees it.
    TransponderDesk again(file);
    ASSERT_EQ(again.out().size(), 1u);
    EXPECT_EQ(again.out()[0].loan, (TransponderLoan{"Club Day", 3, "Bob Ray", 3301}));
    EXPECT_EQ(again.loanOf("Club Day", 3), 4012345);
    EXPECT_EQ(again.available().size(), 1u);
    EXPECT_EQ(transpondersOutMessage(again.out()),
              "A loan transponder is still out:\n4012345  Club 3  lent to Bob Ray (Club Day)");

    const LoanReturn back = desk.giveBack(4012345, &event, "Club Day");
    ASSERT_TRUE(back.outcome.ok) << back.outcome.message;
    EXPECT_TRUE(back.competitorChanged);
    EXPECT_EQ(event.cpts[3].transponder, 3301); // his own again
    EXPECT_TRUE(TransponderDesk(file).out().empty());
    EXPECT_EQ(transpondersOutMessage(desk.out()), "");
}

TEST_F(TransponderDeskTest, AReturnLeavesADriverWhoseTransponderChangedSince) {
    ASSERT_TRUE(desk.lend(4012345, event, "Club Day", 3).ok);
    event.cpts[3].transponder = 5555; // typed in by hand since
    const LoanReturn back = desk.giveBack(4012345, &event, "Club Day");
    EXPECT_TRUE(back.outcome.ok);
    EXPECT_FALSE(back.competitorChanged);
    EXPECT_EQ(event.cpts[3].transponder, 5555);

    // Lent in another event: returned here, the open event is not touched.
    ASSERT_TRUE(desk.lend(2001234, event, "Saturday", 4).ok);
    EventData today;
    today.cpts[4].name = "Someone";
    today.cpts[4].transponder = 2001234;
    EXPECT_FALSE(desk.giveBack(2001234, &today, "Sunday").competitorChanged);
    EXPECT_EQ(today.cpts[4].transponder, 2001234);
}

TEST_F(TransponderDeskTest, RefusalsChangeNothing) {
    ASSERT_TRUE(desk.lend(4012345, event, "Club Day", 3).ok);
    const std::string before = fileText();
    const EventData eventBefore = event;
    const std::pair<Outcome, const char*> refused[] = {
        {desk.lend(4012345, event, "Club Day", 4),
         "The loan transponder 4012345 is already lent to Bob Ray"},
        {desk.lend(2001234, event, "Club Day", 3),
         "Bob Ray already has the loan transponder 4012345"},
        {desk.lend(2001234, event, "Club Day", 9), "Choose a driver of the event"},
        {desk.lend(2001234, event, "Club Day", 301), "Choose a driver of the event"},
        {desk.lend(777, event, "Club Day", 4), "The loan transponder 777 is not in the list"},
        {desk.giveBack(2001234, &event, "Club Day").outcome, "2001234 is not lent out"},
        {desk.remove(4012345), "is lent to Bob Ray: return it first"},
        {desk.add("4012345", "again"), "4012345 is in the list already"},
        {desk.add("0", ""), "a whole number from 1 to 9999999"},
        {desk.add("10000000", ""), "a whole number from 1 to 9999999"},
        {desk.add("12a", ""), "a whole number from 1 to 9999999"},
    };
    for (const auto& [outcome, message] : refused) {
        EXPECT_FALSE(outcome.ok) << message;
        EXPECT_NE(outcome.message.find(message), std::string::npos) << outcome.message;
    }
    EXPECT_EQ(fileText(), before);
    EXPECT_EQ(event.cpts[3].transponder, eventBefore.cpts[3].transponder);
    EXPECT_EQ(event.cpts[4].transponder, eventBefore.cpts[4].transponder);
    ASSERT_TRUE(desk.remove(2001234).ok);
    EXPECT_EQ(TransponderDesk(file).transponders().size(), 1u);
}

TEST_F(TransponderDeskTest, ALoanThatCannotBeWrittenIsNoLoan) {
    const std::string before = fileText();
    // The temporary file cannot be made: the old file stays whole and the driver unchanged.
    fs::create_directory(fs::path(file) += ".tmp");
    const Outcome lent = desk.lend(4012345, event, "Club Day", 3);
    EXPECT_FALSE(lent.ok);
    EXPECT_NE(lent.message.find("could not be written"), std::string::npos) << lent.message;
    EXPECT_EQ(fileText(), before);
    EXPECT_EQ(event.cpts[3].transponder, 3301);
    EXPECT_TRUE(desk.out().empty());
}

TEST_F(TransponderDeskTest, TwoDesksOnOneFileDoNotUndoEachOther) {
    TransponderDesk other(file);
    ASSERT_TRUE(desk.lend(4012345, event, "Club Day", 3).ok);
    ASSERT_TRUE(other.add("3000001", "Club 4").ok); // reads the loan before writing
    TransponderDesk fresh(file);
    EXPECT_EQ(fresh.transponders().size(), 3u);
    EXPECT_EQ(fresh.out().size(), 1u);
}

namespace {

class TransponderDeskOnTheEvent : public test::ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        ASSERT_TRUE(createEvent(program, "Club Day").ok);
        program.event.cpts[3].name = "Bob Ray";
        program.event.cpts[3].transponder = 3301;
        ASSERT_TRUE(desk.add("4012345", "Club 3").ok);
    }
    int32_t storedTransponder() {
        EventData back;
        EXPECT_TRUE(readCompetitors(program.paths->competitors, back).ok);
        return back.cpts[3].transponder;
    }
    TransponderDesk desk{dir.path() / "transponders.ini"};
};

} // namespace

TEST_F(TransponderDeskOnTheEvent, TheCompetitorsFileHoldsTheLoanAndTheReturn) {
    ASSERT_TRUE(lendHouseTransponder(desk, program, 4012345, 3).ok);
    EXPECT_EQ(storedTransponder(), 4012345);
    ASSERT_TRUE(returnHouseTransponder(desk, program, 4012345).ok);
    EXPECT_EQ(storedTransponder(), 3301);

    Program none;
    none.event = program.event;
    EXPECT_FALSE(lendHouseTransponder(desk, none, 4012345, 3).ok);
    EXPECT_TRUE(desk.out().empty());
}
