// The rules of the settings window that do not need a window: the close checks, the device
// layout, the transponder cells and the start order rows.
#include "settings/count_device_choices.h"
#include "settings/prog_settings.h"
#include "settings/setup_close_checks.h"
#include "settings/setup_fields.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace vexa;

namespace {

TEST(SetupCloseChecks, TheLastFailingCheckSpeaks) {
    const auto manual = CountingDevice::Manual;
    const auto ambrc = CountingDevice::Ambrc;
    const auto system20 = CountingDevice::System20;
    const std::string minLap = MinLapNotBelowLastLapMessage;
    const std::string setup = RaceSetupNotBelowIntervalMessage;
    const std::string port = SameSerialPortMessage;
    struct Case {
        const char* name;
        SetupCloseFields fields;
        std::optional<std::string> failure;
    };
    const Case cases[] = {
        {"defaults pass", {"7", "30", "30", "60", manual, 0, 0}, std::nullopt},
        {"min lap equal to last lap", {"7", "7", "30", "60", manual, 0, 0}, minLap},
        {"min lap above last lap", {"40", "30", "30", "60", manual, 0, 0}, minLap},
        {"race setup equal to interval", {"7", "30", "60", "60", manual, 0, 0}, setup},
        {"race setup just below interval", {"7", "30", "59", "60", manual, 0, 0}, std::nullopt},
        {"both times: race setup", {"7", "7", "60", "60", manual, 0, 0}, setup},
        {"decoder on Com 2, RCio on Com 2", {"7", "30", "30", "60", ambrc, 1, 2}, port},
        {"System 20 on Com 8, RCio on Com 8", {"7", "30", "30", "60", system20, 7, 8}, port},
        {"all three: the port", {"7", "7", "60", "60", ambrc, 1, 2}, port},
        {"manual counting shares any port", {"7", "30", "30", "60", manual, 1, 2}, std::nullopt},
        {"decoder over TCP, RCio on Com 8", {"7", "30", "30", "60", ambrc, 8, 8}, std::nullopt},
        {"decoder on Com 1, no RCio", {"7", "30", "30", "60", ambrc, 0, 0}, std::nullopt},
        {"empty times are their defaults", {"", "", "", "", manual, 0, 0}, std::nullopt},
        {"empty last lap (30) against 31", {"31", "", "30", "60", manual, 0, 0}, minLap},
    };
    for (const Case& c : cases) EXPECT_EQ(closeCheckFailure(c.fields), c.failure) << c.name;
}

TEST(CountDeviceChoices, EachDeviceLaysOutItsControls) {
    const auto layout = [](CountingDevice device, int entry) {
        return deviceLayout(countDeviceChoice(device), entry);
    };
    const DeviceLayout manual = layout(CountingDevice::Manual, 8);
    EXPECT_FALSE(manual.portList);
    EXPECT_FALSE(manual.addressEntry.has_value()); // the list is left as it is
    EXPECT_FALSE(manual.addressField);
    EXPECT_FALSE(manual.testPage);
    EXPECT_FALSE(manual.transponderPage);
    EXPECT_EQ(manual.portEntry, 8);

    const DeviceLayout s20 = layout(CountingDevice::System20, 8);
    EXPECT_TRUE(s20.portList);
    EXPECT_EQ(s20.addressEntry, false);
    EXPECT_EQ(s20.portEntry, 0); // "IP Address" went, so Com 1
    EXPECT_TRUE(s20.extendedMode);
    EXPECT_TRUE(s20.testPage);
    EXPECT_FALSE(s20.transponderPage);
    EXPECT_FALSE(s20.speedTrap);
    EXPECT_EQ(layout(CountingDevice::System20, 5).portEntry, 5);
    EXPECT_EQ(layout(CountingDevice::System20, -1).portEntry, 0);

    const DeviceLayout tcp = layout(CountingDevice::Ambrc, 8);
    EXPECT_EQ(tcp.addressEntry, true);
    EXPECT_TRUE(tcp.addressField);
    EXPECT_TRUE(tcp.transponderPage);
    EXPECT_TRUE(tcp.speedTrap);
    EXPECT_FALSE(tcp.extendedMode);
    const DeviceLayout serial = layout(CountingDevice::Ambrc, 2);
    EXPECT_FALSE(serial.addressField);
    EXPECT_EQ(serial.portEntry, 2);
    EXPECT_EQ(layout(CountingDevice::Ambrc, -1).portEntry, 0);

    // A device reached only at an address shows the address and no port list.
    const CountDeviceChoice addressOnly{
        CountingDevice::Ambrc, "TCP", DevicePorts::Address, false, true, false};
    const DeviceLayout network = deviceLayout(addressOnly, 3);
    EXPECT_FALSE(network.portList);
    EXPECT_TRUE(network.addressField);
    EXPECT_EQ(network.portEntry, 8);
}

TEST(CountDeviceChoices, ListTheDevicesInOrder) {
    const auto choices = countDeviceChoices();
    ASSERT_GE(choices.size(), 3u);
    EXPECT_STREQ(choices[0].caption, "Manual(Keyboard)");
    EXPECT_STREQ(choices[1].caption, "AMB System 20 (Serial)");
    EXPECT_STREQ(choices[2].caption, "AMBrc (Serial)");
    for (const CountDeviceChoice& c : choices)
        EXPECT_EQ(countDeviceChoice(c.device).caption, c.caption);
}

TEST(SetupFields, TransponderCellsBecomeNumbers) {
    TransponderCells cells;
    cells[1] = "4711";
    cells[2] = "-1";
    cells[3] = " 12 ";
    std::array<int32_t, MaxSlots + 1> set{};
    set.fill(7);
    ASSERT_TRUE(storeTransponderCells(cells, 2, set));
    EXPECT_EQ(set[1], 4711);
    EXPECT_EQ(set[2], -1);
    EXPECT_EQ(set[3], 12);
    EXPECT_EQ(set[4], -1); // empty
    EXPECT_EQ(transponderCellText(-1), "");
    EXPECT_EQ(transponderCellText(0), "0");

    // One cell that is no number: a message naming it, and the set as it was.
    cells[20] = "12a";
    const auto before = set;
    const Outcome bad = storeTransponderCells(cells, 3, set);
    EXPECT_FALSE(bad);
    EXPECT_EQ(bad.message, "Transponder of car 20 in set 3: '12a' is not a whole number");
    EXPECT_EQ(set, before);
    cells[20] = "99999999999";
    EXPECT_FALSE(storeTransponderCells(cells, 3, set));
}

TEST(SetupFields, WholeNumberFields) {
    int32_t value = 3;
    EXPECT_TRUE(fieldWholeNumber("", 0, "A", value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(fieldWholeNumber("15", 0, "A", value));
    EXPECT_EQ(value, 15);
    const Outcome decimal = fieldWholeNumber("5.5", 0, "'A Final' minutes of class 2", value);
    EXPECT_EQ(decimal.message, "'A Final' minutes of class 2: '5.5' is not a whole number");
    EXPECT_EQ(value, 15);
    EXPECT_EQ(classDetailsCaption(12), "Race Details (Class:12)");
}

TEST(FirstRoundOrder, ADraggedRowTakesItsNewPlace) {
    const auto moved = [](int from, int to) {
        auto order = ProgSettings::defaultFirstRoundOrder();
        moveFirstRoundOrderRow(order, from, to);
        std::string text;
        for (int row = 1; row <= 6; ++row) text += std::to_string(order[row]) + " ";
        return text + std::to_string(order[20]);
    };
    EXPECT_EQ(moved(1, 3), "2 3 1 4 5 6 20");
    EXPECT_EQ(moved(5, 2), "1 5 2 3 4 6 20");
    EXPECT_EQ(moved(20, 1), "20 1 2 3 4 5 19");
    EXPECT_EQ(moved(4, 4), "1 2 3 4 5 6 20");
    EXPECT_EQ(moved(0, 3), "1 2 3 4 5 6 20");
    EXPECT_EQ(moved(3, 21), "1 2 3 4 5 6 20");
}

} // namespace
