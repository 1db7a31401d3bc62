#include "base/whole_number.h"
#include "settings/ini_file.h"

#include <gtest/gtest.h>

using namespace vexa;

namespace {

TEST(IniFile, ReadsCaseInsensitivelyAndKeepsOtherLines) {
    const std::string text = "; club settings\r\n"
                             "[count method]\r\n"
                             "lowest hits = 3\r\n"
                             "Other=kept\r\n"
                             "\r\n"
                             "[Unknown]\r\n"
                             "X=\"quoted value\"\r\n";
    IniFile ini = IniFile::parse(text);
    EXPECT_EQ(ini.value("COUNT METHOD", "LOWEST HITS"), "3");
    EXPECT_EQ(ini.value("Unknown", "x"), "quoted value");
    EXPECT_FALSE(ini.value("COUNT METHOD", "COUNTDEVICE"));
    EXPECT_FALSE(ini.value("Nowhere", "X"));

    ini.write("COUNT METHOD", "COUNTDEVICE", "2"); // new key after the section's last entry
    ini.write("Count Method", "OTHER", "changed"); // replaced in place
    ini.write("RCIO", "COMPORT", "0");             // new section at the end
    EXPECT_EQ(ini.text(), "; club settings\r\n"
                          "[count method]\r\n"
                          "lowest hits = 3\r\n"
                          "OTHER=changed\r\n"
                          "COUNTDEVICE=2\r\n"
                          "\r\n"
                          "[Unknown]\r\n"
                          "X=\"quoted value\"\r\n"
                          "[RCIO]\r\n"
                          "COMPORT=0\r\n");
}

TEST(IniFile, AcceptsLineFeedEndsAndEmptyText) {
    const IniFile ini = IniFile::parse("[A]\nk=v\n");
    EXPECT_EQ(ini.value("a", "K"), "v");
    EXPECT_EQ(IniFile::parse("").text(), "");
}

TEST(IniFile, ValuesReadBackAsWritten) {
    for (const std::string value :
         {"plain", "", "\"Open\"", "\"\"", "\"", " 7", "x\t", "a \"b\" c", "\"left", "right\""}) {
        IniFile ini;
        ini.write("S", "K", value);
        EXPECT_EQ(IniFile::parse(ini.text()).value("S", "K"), value) << value;
    }
    IniFile ini;
    ini.write("Classes", "Class1", "\"Open\"");
    ini.write("Classes", "Class2", " Buggy");
    EXPECT_EQ(ini.text(), "[Classes]\r\nClass1=\"\"Open\"\"\r\nClass2=\" Buggy\"\r\n");
}

TEST(WholeNumber, Parses) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"7", 7},
        {" -12 ", -12},
        {"+5", 5},
        {"", std::nullopt},
        {"7a", std::nullopt},
        {"1.5", std::nullopt},
        {"-", std::nullopt},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"-2147483648", -2147483647 - 1},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(parseWholeNumber(text), expected) << text;
}

} // namespace
