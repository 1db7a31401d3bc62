#include "files/file_io.h"
#include "files/settings_file.h"
#include "settings/display_settings.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace vexa;

TEST(DisplaySettings, WindowPlacesReadBackAndDamagedOnesAreNone) {
    const std::pair<const char*, std::optional<WindowPlace>> cases[] = {
        {"10,20,1024,600", WindowPlace{10, 20, 1024, 600, false}},
        {"-1920,0,1920,1080,max", WindowPlace{-1920, 0, 1920, 1080, true}},
        {" 5 , 6 , 800 , 500 , MAX ", WindowPlace{5, 6, 800, 500, true}},
        {"", std::nullopt},
        {"10,20,1024", std::nullopt},
        {"10,20,1024,600,", std::nullopt},
        {"10,20,1024,600,big", std::nullopt},
        {"a,20,1024,600", std::nullopt},
        {"10,20,50,600", std::nullopt},          // too small to be a window
        {"10,20,1024,99999", std::nullopt},      // no screen is this tall
        {"99999999999,0,800,600", std::nullopt}, // a number beyond any
    };
    for (const auto& [text, place] : cases) {
        EXPECT_EQ(readWindowPlace(text), place) << text;
        if (place) {
            EXPECT_EQ(readWindowPlace(windowPlaceText(*place)), place) << text;
        }
    }
}

TEST(DisplaySettings, TheZoomStepsByTenWithinItsRange) {
    EXPECT_EQ(steppedZoom(100, 1), 110);
    EXPECT_EQ(steppedZoom(100, -1), 90);
    EXPECT_EQ(steppedZoom(295, 1), 300);
    EXPECT_EQ(steppedZoom(300, 1), 300);
    EXPECT_EQ(steppedZoom(55, -1), 50);
}

TEST(DisplaySettings, SavedAtTheEndWithoutTouchingAnyOtherLine) {
    test::TempDir dir;
    const auto ini = dir.path() / "vexa.ini";
    // The file names a decoder the program did not find (it counts with the keys meanwhile).
    const std::string before = "[COUNT METHOD]\r\nCOUNTDEVICE=2\r\n; kept\r\n[DISPLAY]\r\n"
                               "STANDINGS ZOOM=100\r\n";
    ASSERT_TRUE(writeFileAtomic(ini, before));
    ProgSettings s;
    s.countDevice = 0;
    s.standingsZoom = 140;
    s.darkRaceScreen = true;
    s.mainWindowPlace = "0,0,1024,600";
    ASSERT_TRUE(saveDisplaySettings(ini, s));
    const auto bytes = readWholeFile(ini);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()),
              "[COUNT METHOD]\r\nCOUNTDEVICE=2\r\n; kept\r\n[DISPLAY]\r\nSTANDINGS ZOOM=140\r\n"
              "DARK RACE SCREEN=YES\r\nMAIN WINDOW=0,0,1024,600\r\nRACE SCREEN=\r\n");
    ProgSettings read;
    loadSettingsFile(ini, read);
    EXPECT_EQ(read.countDevice, 2);
    EXPECT_EQ(read.standingsZoom, 140);
    EXPECT_EQ(read.mainWindowPlace, "0,0,1024,600");
}
