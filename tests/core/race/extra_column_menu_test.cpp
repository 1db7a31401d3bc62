#include "race/extra_column_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vexa;

namespace {

// The captions of the enabled items, in menu order.
std::vector<std::string> enabledItems(const Standings& standings, CountingDevice device,
                                      bool speedTrap) {
    std::vector<std::string> out;
    for (const ExtraColumnMenuItem& item : extraColumnMenu(standings, device, speedTrap))
        if (item.enabled) out.emplace_back(item.caption);
    return out;
}

} // namespace

TEST(ExtraColumnMenu, EnablingRules) {
    // Default slots: 1 Leader Gap, 2 Predicted Result, 3 Average Lap, 4 Driver FTD.
    struct Case {
        bool wide;
        CountingDevice device;
        bool speedTrap;
        std::vector<std::string> enabled;
    };
    const std::vector<Case> cases = {
        // Narrow: only slots 1 and 2 are shown, so Average Lap and Driver FTD may be chosen.
        {false, CountingDevice::Manual, true, {"Average Lap", "Average Speed", "Driver FTD"}},
        {true, CountingDevice::Manual, true, {"Average Speed"}},
        {true, CountingDevice::System20, false, {"Average Speed", "Hits / Signal Strength"}},
        // The speed trap needs an AMBrc decoder with the speed trap enabled.
        {true, CountingDevice::System20, true, {"Average Speed", "Hits / Signal Strength"}},
        {true, CountingDevice::Ambrc, false, {"Average Speed", "Hits / Signal Strength"}},
        {true,
         CountingDevice::Ambrc,
         true,
         {"Average Speed", "Speed Trap", "Hits / Signal Strength"}},
    };
    for (const Case& c : cases) {
        Standings standings;
        standings.setWide(c.wide);
        EXPECT_EQ(enabledItems(standings, c.device, c.speedTrap), c.enabled)
            << "wide " << c.wide << " device " << static_cast<int>(c.device) << " trap "
            << c.speedTrap;
    }
}

TEST(ExtraColumnMenu, AChosenTypeIsDisabledAndTheOneItReplacedFreed) {
    Standings standings;
    standings.setWide(false);
    standings.setSlot(1, ExtraColumn::HitsSignal);
    EXPECT_EQ(enabledItems(standings, CountingDevice::Ambrc, true),
              (std::vector<std::string>{"Average Lap", "Average Speed", "Speed Trap", "Driver FTD",
                                        "Leader Gap"}));
    const auto items = extraColumnMenu(standings, CountingDevice::Ambrc, true);
    ASSERT_EQ(items.size(), 7u);
    EXPECT_EQ(items[6].type, ExtraColumn::HitsSignal);
    EXPECT_STREQ(items[6].caption, "Hits / Signal Strength");
}

TEST(ExtraColumnMenu, OnlyAVisibleExtraColumnOpensItAndOnlyWithTheKeysOff) {
    Standings standings;
    standings.setWide(false);
    struct Case {
        int column;
        bool keysOn;
        bool wide;
        int slot;
    };
    const Case cases[] = {
        {6, false, false, 0}, // "Fastest Lap"
        {7, false, false, 1}, {8, false, false, 2}, {9, false, false, 0}, {9, false, true, 3},
        {10, false, true, 4}, {11, false, true, 0}, {7, true, false, 0},  {10, true, true, 0},
    };
    for (const Case& c : cases) {
        standings.setWide(c.wide);
        EXPECT_EQ(extraSlotAtColumn(standings, c.column, c.keysOn), c.slot)
            << "column " << c.column << " keys " << c.keysOn << " wide " << c.wide;
    }
}

TEST(ExtraColumnMenu, TheMainWindowWidthDecidesTwoOrFourColumns) {
    EXPECT_FALSE(wideOperatorGrid(989));
    EXPECT_TRUE(wideOperatorGrid(990));
}
