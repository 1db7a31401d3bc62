#include "model/competitor_edits.h"
#include "support/event_builder.h"

#include <gtest/gtest.h>

using namespace vexa;
using vexa::test::driver;
using vexa::test::seat;
using vexa::test::slots;

namespace {

TEST(DeleteCompetitor, EmptiesTheEntryButKeepsPictureAndFlag) {
    EventData e;
    comp_ent& c = driver(e, 7, "Ann Lee", 4);
    c.ability = 55;
    c.memno = "A123";
    c.heatfreq = 3;
    c.finalfreq = 4;
    c.setOwnedFreqs({3, 4});
    c.setNoFreqNeeded(true);
    c.enabled = 'N';
    c.picture = "ann.jpg";
    c.transponder = 1234567;
    e.storeResult(7, 1, 12, 301.5);
    e.storeResult(7, 20, 3, 60.0);
    driver(e, 8, "Bob Day").transponder = 42;
    e.storeResult(8, 1, 10, 300.0);

    EXPECT_EQ(deleteCompetitorQuestion(7), "Are you sure you want to delete competitor 7 ?");
    deleteCompetitor(e, 7);

    EXPECT_FALSE(c.inUse());
    EXPECT_EQ(c.ability, 0);
    EXPECT_EQ(c.memno, "");
    EXPECT_EQ(c.classno, 0);
    EXPECT_EQ(c.heatfreq, 0);
    EXPECT_EQ(c.finalfreq, 0);
    EXPECT_TRUE(c.ownedFreqs().empty());
    EXPECT_TRUE(c.noFreqNeeded());
    EXPECT_EQ(c.enabled, 'Y');
    EXPECT_EQ(c.picture, "ann.jpg");
    EXPECT_EQ(c.transponder, 0);
    for (int r = 1; r <= 20; ++r) EXPECT_FALSE(e.cptres[7].hasResult(r)) << r;
    // Nobody else is touched.
    EXPECT_EQ(e.competitor(8).transponder, 42);
    EXPECT_TRUE(e.cptres[8].hasResult(1));
}

TEST(DeleteCompetitor, EmptiesOnlyTheLastCellOfEachTable) {
    EventData e;
    driver(e, 5, "Ann Lee");
    seat(e.heats, 2, {1, 5, 3});
    seat(e.heats, 6, {5, 9});
    seat(e.finals, 1, {5});
    seat(e.finals, 3, {2, 5});
    seat(e.finals, 4, {2, 4});
    deleteCompetitor(e, 5);
    EXPECT_EQ(slots(e.heats, 2), "1|5|3" + std::string(17, '|'));
    EXPECT_EQ(slots(e.heats, 6), "|9" + std::string(18, '|'));
    EXPECT_EQ(slots(e.finals, 1), "5" + std::string(19, '|'));
    EXPECT_EQ(slots(e.finals, 3), "2|" + std::string(18, '|'));
    EXPECT_EQ(slots(e.finals, 4), "2|4" + std::string(18, '|'));

    deleteCompetitor(e, 0); // no such Id: nothing happens
    deleteCompetitor(e, 301);
    EXPECT_EQ(slots(e.finals, 1), "5" + std::string(19, '|'));
}

TEST(EnableAll, EveryEntryFreeOnesIncluded) {
    EventData e;
    driver(e, 1, "Ann Lee").enabled = 'N';
    setAllEnabled(e, false);
    for (int id : {1, 2, 300}) EXPECT_EQ(e.competitor(id).enabled, 'N') << id;
    setAllEnabled(e, true);
    for (int id : {1, 2, 300}) EXPECT_EQ(e.competitor(id).enabled, 'Y') << id;
}

} // namespace
