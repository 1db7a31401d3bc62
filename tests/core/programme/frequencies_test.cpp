#include "programme/frequency_allocation.h"
#include "programme/frequency_choices.h"
#include "programme/frequency_lists.h"
#include "support/event_builder.h"

#include <gtest/gtest.h>

using namespace vexa;
using vexa::test::driver;
using vexa::test::seat;

namespace {

comp_ent& owner(EventData& e, int id, std::vector<int> owned, int heat = 0) {
    comp_ent& c = driver(e, id, test::numbered("D", id));
    c.setOwnedFreqs(owned);
    c.heatfreq = static_cast<uint8_t>(heat);
    return c;
}

TEST(FreqSort, HigherSlotMovesToItsFirstFreeCrystal) {
    EventData e;
    owner(e, 1, {3, 4}, 3);
    owner(e, 2, {3, 5}, 3);
    seat(e.heats, 1, {1, 2});
    EXPECT_EQ(conflictLabel(e, 1, true), "Conflict");
    allocateFrequenciesOnce(e, true);
    EXPECT_EQ(e.cpts[2].heatfreq, 5);
    EXPECT_EQ(e.cpts[1].heatfreq, 3);
    EXPECT_EQ(conflictLabel(e, 1, true), "");
    EXPECT_EQ(e.cpts[1].finalfreq, 0); // the other table's frequency is untouched
}

TEST(FreqSort, ChoicesWhenCrystalsAreTakenOrMissing) {
    EventData e;
    owner(e, 1, {}, 0);     // owns nothing: keeps 0
    owner(e, 2, {7}, 7);    // slot 2 holds 7
    owner(e, 3, {7}, 7);    // every crystal taken: keeps his conflicting 7
    owner(e, 4, {7, 8}, 0); // none yet: 7 is taken, so 8
    owner(e, 5, {7}, 0);    // none yet, all taken: his first owned, 7
    seat(e.heats, 3, {1, 2, 3, 4, 5});
    freqSort(e, true);
    EXPECT_EQ(e.cpts[1].heatfreq, 0);
    EXPECT_EQ(e.cpts[2].heatfreq, 7);
    EXPECT_EQ(e.cpts[3].heatfreq, 7);
    EXPECT_EQ(e.cpts[4].heatfreq, 8);
    EXPECT_EQ(e.cpts[5].heatfreq, 7);
    EXPECT_EQ(conflictLabel(e, 3, true), "Conflict");
}

TEST(FreqSort, SecondPassSettlesWhatTheFirstLeftInConflict) {
    // Slot 3 shares 2 with slot 1 and moves to 3; slot 2 has none and owns only 3, which is
    // now taken, so he gets 3 as well. The second pass moves slot 3 on to 4.
    EventData e;
    owner(e, 1, {2}, 2);
    owner(e, 2, {3}, 0);
    owner(e, 3, {2, 3, 4}, 2);
    seat(e.finals, 2, {1, 2, 3});
    for (int id = 1; id <= 3; ++id) e.cpts[id].finalfreq = e.cpts[id].heatfreq;
    allocateFrequenciesOnce(e, false);
    EXPECT_EQ(e.cpts[3].finalfreq, 3);
    EXPECT_EQ(e.cpts[2].finalfreq, 3);
    EXPECT_EQ(e.cpts[1].finalfreq, 2);
    allocateFrequenciesOnce(e, false);
    EXPECT_EQ(e.cpts[3].finalfreq, 4);
    EXPECT_EQ(e.cpts[2].finalfreq, 3);
    EXPECT_EQ(e.cpts[1].finalfreq, 2);
    EXPECT_EQ(e.cpts[3].heatfreq, 2); // the heat frequencies are not touched

    EventData twice = e;
    for (int id = 1; id <= 3; ++id) twice.cpts[id].finalfreq = twice.cpts[id].heatfreq;
    freqSort(twice, false);
    for (int id = 1; id <= 3; ++id) EXPECT_EQ(twice.cpts[id].finalfreq, e.cpts[id].finalfreq);
}

TEST(ConflictLabel, IgnoresDriversWithoutFrequencyNeedAndUsesTheLastRace) {
    EventData e;
    owner(e, 1, {}, 9);
    owner(e, 2, {}, 9).setNoFreqNeeded(true);
    owner(e, 3, {}, 9);
    seat(e.heats, 1, {1, 3});
    seat(e.heats, 4, {1, 2});
    EXPECT_EQ(conflictLabel(e, 1, true), ""); // race 4 counts, where only 2 shares 9
    EXPECT_EQ(conflictLabel(e, 3, true), "Conflict");
    EXPECT_EQ(conflictLabel(e, 5, true), ""); // in no race
    e.cpts[3].heatfreq = 0;
    EXPECT_EQ(conflictLabel(e, 3, true), ""); // no frequency
    EXPECT_EQ(conflictLabel(e, 0, true), "");
}

TEST(FrequencyLists, ChangesAndNumbers) {
    EventData e;
    FreqNames names;
    names.names[1] = std::string("A");
    names.names[18] = "A frequency name 20ch";
    auto& a = owner(e, 12, {1, 18});
    a.name = "Ann Lee";
    a.heatfreq = 1;
    a.finalfreq = 18;
    owner(e, 13, {1}).enabled = 'N'; // disabled
    e.cpts[13].finalfreq = 4;
    owner(e, 14, {}); // 0 and 0
    owner(e, 15, {5}, 5).finalfreq = 5;
    e.cpts[200].setOwnedFreqs({1}); // free entries count for the numbers
    const auto changes = frequencyChanges(e);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].text, "(12) :Ann Lee");

    const auto numbers = frequencyNumbers(e, names);
    ASSERT_EQ(numbers.size(), 3u);
    EXPECT_EQ(numbers[0].text, "A = 3");
    EXPECT_EQ(numbers[1].text, " = 1");                     // frequency 5 has no name
    EXPECT_EQ(numbers[2].text, "A frequency name 20ch =1"); // cut to 23, then the count
    EXPECT_EQ(numbers[2].freq, 18);
}

} // namespace

namespace {

TEST(FrequencyChoices, CurrentFirstThenCheckedInIndexOrder) {
    FreqNames names;
    names.names[3] = "27.125";
    names.names[9] = "40.665";
    names.names[12] = "35.010";
    const auto items = frequencyChoices(9, {12, 3, 9, 0, 250}, names);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].freq, 9);
    EXPECT_EQ(items[0].name, "40.665");
    EXPECT_EQ(items[1].name, "27.125");
    EXPECT_EQ(items[2].freq, 9);
    EXPECT_EQ(items[3].name, "35.010");

    const auto none = frequencyChoices(0, {}, names);
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].freq, 0);
    EXPECT_EQ(none[0].name, "");
    EXPECT_EQ(frequencyChoices(230, {}, names)[0].freq, 0);
}

TEST(FrequencyChoices, ChoosingSetsTheFrequencyOfTheGroupsTable) {
    comp_ent c;
    chooseFrequency(c, true, 12);
    chooseFrequency(c, false, 3);
    EXPECT_EQ(c.heatfreq, 12);
    EXPECT_EQ(c.finalfreq, 3);
    chooseFrequency(c, true, 0);
    chooseFrequency(c, false, 201);
    EXPECT_EQ(c.heatfreq, 0);
    EXPECT_EQ(c.finalfreq, 0);
}

} // namespace
