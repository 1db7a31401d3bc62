#include "programme/competitor_list.h"

#include <gtest/gtest.h>

using namespace vexa;

namespace {

TEST(CompetitorList, Orders) {
    EventData e;
    e.competitor(4).name = "Ann Lee";
    e.competitor(2).name = "ann lee";
    e.competitor(9).name = "Bob Adams";
    e.competitor(7).name = "Cher";
    e.competitor(5).name = "\xc9mile Zola"; // sorts after "ZZZ..." and is still listed
    e.competitor(6).transponder = 5;        // no name: not listed

    EXPECT_EQ(competitorListOrder(e, DriverOrder::IdNumber), (std::vector<int>{2, 4, 5, 7, 9}));
    EXPECT_EQ(competitorListOrder(e, DriverOrder::FirstName), (std::vector<int>{2, 4, 9, 7, 5}));
    // Keys: LEE ANN, LEE ANN, ADAMS BOB, CHER, ZOLA EMILE
    EXPECT_EQ(competitorListOrder(e, DriverOrder::SecondName), (std::vector<int>{9, 7, 2, 4, 5}));
    EXPECT_EQ(secondNameKey("Ann Lee"), "LEE ANN");
    EXPECT_EQ(secondNameKey("Ann van Dijk"), "VAN DIJK ANN");
    EXPECT_EQ(secondNameKey("Cher"), "CHER");
}

TEST(CompetitorList, RowTexts) {
    EventData e;
    ProgSettings s;
    FreqNames f;
    s.classes[3].name = "Touring";
    f.names[4] = "Ch 4";
    comp_ent& c = e.competitor(12);
    c.name = "Ann Lee";
    c.classno = 3;
    c.ability = 55;
    c.memno = "A1";
    c.heatfreq = 4;
    c.transponder = 1234567;
    EXPECT_EQ(competitorListRow(12, e, s, f), (CompetitorRow{"12", "Ann Lee", "3) Touring", "55",
                                                             "A1", "Ch 4", "  YES", "1234567"}));
    c.enabled = 'N';
    c.transponder = 0;
    s.racingHeats = false;
    EXPECT_EQ(competitorListRow(12, e, s, f),
              (CompetitorRow{"12", "Ann Lee", "3) Touring", "55", "A1", "", "   NO", ""}));
}

} // namespace
