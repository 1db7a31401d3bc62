#include "output/output_identity.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace vexa;

TEST(OutputIdentity, SetByHandInTheSettingsFileWithDefaultsOtherwise) {
    const OutputIdentity defaults;
    EXPECT_FALSE(defaults.webAddress.empty());
    EXPECT_FALSE(defaults.copyright.empty());
    EXPECT_FALSE(defaults.trackName.empty());

    test::TempDir dir;
    EXPECT_EQ(loadOutputIdentity(dir.path() / "vexa.ini").trackName, defaults.trackName);

    std::ofstream(dir.path() / "vexa.ini") << "[EVENT]\r\nTRACK LENGTH=500\r\n"
                                              "[Result Output]\r\n"
                                              "WEB ADDRESS=http://www.club.example/results\r\n"
                                              "TRACK NAME=Hill Top Raceway\r\n"
                                              "COPYRIGHT=\r\n";
    const OutputIdentity read = loadOutputIdentity(dir.path() / "vexa.ini");
    EXPECT_EQ(read.webAddress, "http://www.club.example/results");
    EXPECT_EQ(read.webAddressWithoutScheme(), "www.club.example/results");
    EXPECT_EQ(read.trackName, "Hill Top Raceway");
    EXPECT_EQ(read.copyright, defaults.copyright);
}
