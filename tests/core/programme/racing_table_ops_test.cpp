#include "model/table_queries.h"
#include "programme/cell_editing.h"
#include "programme/final_letter.h"
#include "programme/side_bar.h"
#include "programme/table_moves.h"
#include "support/event_builder.h"

#include <gtest/gtest.h>

using namespace vexa;
using vexa::test::seat;
using vexa::test::slots;

namespace {

// A race from a map of slot -> text.
RacingTable raceWith(std::initializer_list<std::pair<int, const char*>> cells, int race = 3) {
    RacingTable t;
    for (auto [slot, text] : cells) t.setSlotText(race, slot, text);
    return t;
}

TEST(PackMoves, KeepOrderAndLeaveEmptyOrFullRacesAlone) {
    RacingTable t = raceWith({{3, "7"}, {7, "2"}, {15, "11"}});
    EXPECT_TRUE(packUp(t, 3));
    EXPECT_EQ(slots(t, 3), "7|2|11|||||||||||||||||");
    EXPECT_TRUE(packDown(t, 3));
    EXPECT_EQ(slots(t, 3), "|||||||||||||||||7|2|11");

    // A cell that does not hold an Id moves with the others, as its text.
    RacingTable odd = raceWith({{4, "x9"}, {9, "5"}});
    EXPECT_TRUE(packUp(odd, 3));
    EXPECT_EQ(slots(odd, 3), "x9|5||||||||||||||||||");

    RacingTable empty;
    empty.setInfo(3, "1/A");
    EXPECT_FALSE(packUp(empty, 3));
    EXPECT_FALSE(packDown(empty, 3));
    EXPECT_EQ(empty.info(3), "1/A");

    RacingTable full;
    for (int s = 1; s <= 20; ++s) full.setSlotText(3, s, std::to_string(s));
    const std::string before = slots(full, 3);
    EXPECT_FALSE(packUp(full, 3));
    EXPECT_FALSE(packDown(full, 3));
    EXPECT_EQ(slots(full, 3), before);
}

TEST(PackMoves, ShiftSwapsTheHalves) {
    RacingTable t = raceWith({{1, "4"}, {12, "9"}});
    swapSlotHalves(t, 3);
    EXPECT_EQ(t.slotText(3, 11), "4");
    EXPECT_EQ(t.slotText(3, 2), "9");
    EXPECT_EQ(driversInRace(t, 3), 2);
    swapSlotHalves(t, 3);
    EXPECT_EQ(t.slotText(3, 1), "4");
    EXPECT_EQ(t.slotText(3, 12), "9");
}

TEST(RaceColumns, DeleteEmptiesInfoAndSlotsOfThatRaceOnly) {
    RacingTable t;
    seat(t, 2, {1, 2, 3});
    seat(t, 3, {4});
    t.setInfo(2, "0/A");
    deleteRace(t, 2);
    EXPECT_EQ(t.info(2), "");
    EXPECT_EQ(driversInRace(t, 2), 0);
    EXPECT_EQ(driversInRace(t, 3), 1);
}

TEST(RaceColumns, DraggedRaceTakesTheNumberOfItsNewPlace) {
    RacingTable t;
    for (int race = 1; race <= 6; ++race) {
        t.setInfo(race, test::numbered("I", race));
        t.setSlotText(race, 1, std::to_string(race * 10));
    }
    moveRace(t, 5, 2);
    const char* infos[] = {"I1", "I5", "I2", "I3", "I4", "I6"};
    for (int race = 1; race <= 6; ++race) EXPECT_EQ(t.info(race), infos[race - 1]) << race;
    EXPECT_EQ(t.slotText(2, 1), "50");
    moveRace(t, 2, 5); // and back
    for (int race = 1; race <= 6; ++race) EXPECT_EQ(t.info(race), test::numbered("I", race));
    moveRace(t, 50, 1);
    EXPECT_EQ(t.info(1), "");
    EXPECT_EQ(t.info(2), "I1");
}

TEST(TableQueries, CountsFirstDriverAndOccupancy) {
    RacingTable t = raceWith({{4, "abc"}, {6, "12"}, {9, "0"}});
    EXPECT_EQ(driversInRace(t, 3), 3);
    EXPECT_EQ(firstDriverSlot(t, 3), 4);
    EXPECT_EQ(firstDriverId(t, 3), 12); // "abc" is not a driver
    EXPECT_EQ(firstDriverSlot(t, 4), 0);
    EXPECT_EQ(firstDriverId(t, 4), 0);
    t.setSlotText(7, 6, "1");
    EXPECT_EQ(slotOccupancy(t, 7), 3); // label cell + two races
    EXPECT_EQ(slotOccupancy(t, 8), 1);
}

TEST(CellEditing, KeysAndEnterNavigation) {
    EXPECT_FALSE(raceCellAcceptsKey(1, CellKey::Digit));
    EXPECT_FALSE(raceCellAcceptsKey(1, CellKey::Enter));
    EXPECT_TRUE(raceCellAcceptsKey(2, CellKey::Digit));
    EXPECT_TRUE(raceCellAcceptsKey(21, CellKey::Backspace));
    EXPECT_TRUE(raceCellAcceptsKey(5, CellKey::Delete));
    EXPECT_FALSE(raceCellAcceptsKey(5, CellKey::Other));

    const struct {
        GridCell from, to;
    } cases[] = {
        {{4, 2}, {4, 3}},                       // slot 1 -> slot 2
        {{4, 21}, {5, 2}},                      // slot 20 of race 3 -> slot 1 of race 4
        {{51, 21}, {51, 21}},                   // slot 20 of race 50 stays
        {{51, 20}, {51, 21}}, {{4, 1}, {4, 1}}, // the information row refuses Enter
    };
    for (const auto& c : cases) EXPECT_EQ(cellAfterEnter(c.from), c.to);
}

TEST(SideBar, NamesFrequenciesAndClassCaption) {
    EventData e;
    ProgSettings s;
    FreqNames f;
    s.classes[2].name = "Touring Car Nitro 1/8"; // "Class:" + 21 characters is cut to 26
    f.names[5] = "27.145";
    auto& a = vexa::test::driver(e, 8, "Ann Lee", 2);
    a.heatfreq = 5;
    a.finalfreq = 0;
    vexa::test::driver(e, 9, "Bob Ray", 1).setNoFreqNeeded(true);
    e.heats.setSlotText(4, 2, "999"); // not an Id: shows nothing and is not the first driver
    e.heats.setSlotText(4, 3, "8");
    e.heats.setSlotText(4, 5, "9");

    SideBar names = sideBar(e, s, f, true, 4, SideBarView::Names);
    EXPECT_EQ(names.classCaption, "Class:Touring Car Nitro 1/");
    EXPECT_EQ(names.slot[2], "");
    EXPECT_EQ(names.slot[3], "Ann Lee");
    EXPECT_EQ(names.slot[5], "Bob Ray");

    SideBar heatFreqs = sideBar(e, s, f, true, 4, SideBarView::Frequencies);
    EXPECT_EQ(heatFreqs.slot[3], "27.145");
    EXPECT_EQ(heatFreqs.slot[5], "Not Req/2.4Ghz");

    e.finals = e.heats;
    EXPECT_EQ(sideBar(e, s, f, false, 4, SideBarView::Frequencies).slot[3], "");

    SideBar none = sideBar(e, s, f, true, 5, SideBarView::Names);
    EXPECT_EQ(none.classCaption, "Class: None");
    for (const auto& text : none.slot) EXPECT_EQ(text, "");

    EXPECT_EQ(toggledView(SideBarView::Names), SideBarView::Frequencies);
    EXPECT_STREQ(sideBarCaption(toggledView(SideBarView::Frequencies)), "Names");
}

TEST(FinalLetter, StartsFromInfoStepsWithinAtoZAndWritesInfo) {
    EXPECT_EQ(finalLetterAtStart("3/B"), 'B');
    EXPECT_EQ(finalLetterAtStart("12/C"), 'C');
    EXPECT_EQ(finalLetterAtStart(""), 'A');
    EXPECT_EQ(finalLetterAtStart("3B"), 'A');
    EXPECT_EQ(nextFinalLetter('B'), 'C');
    EXPECT_EQ(nextFinalLetter('Z'), 'Z');
    EXPECT_EQ(previousFinalLetter('A'), 'A');
    EXPECT_EQ(previousFinalLetter('C'), 'B');
    EXPECT_EQ(nextFinalLetter('\0'), 'A');

    EventData e;
    vexa::test::driver(e, 4, "Cy", 2);
    e.finals.setSlotText(6, 3, "4");
    applyFinalLetter(e, 6, 'C');
    EXPECT_EQ(e.finals.info(6), "2/C");
    e.finals.setInfo(7, "1/A");
    applyFinalLetter(e, 7, 'B');
    EXPECT_EQ(e.finals.info(7), "");
}

} // namespace
