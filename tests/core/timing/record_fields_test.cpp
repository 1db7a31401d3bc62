#include "timing/record_fields.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace vexa;

namespace {

TEST(RecordFields, AmbrcFieldsCountTabs) {
    const std::string record = "\x01@\t7\t\t4012345\t12.345\t5\t80";
    const AmbrcFields fields(record);
    const char* expected[] = {"7", "", "4012345", "12.345", "5", "80"};
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(fields.field(n), expected[n - 1]) << n;
        EXPECT_EQ(ambrcField(record, n), expected[n - 1]) << n;
    }
    EXPECT_EQ(fields.field(7), "-1");
    EXPECT_EQ(ambrcField(record, 7), "-1");
    EXPECT_EQ(fields.field(0), "-1");
    // A trailing TAB makes an empty last field, not a missing one.
    EXPECT_EQ(AmbrcFields("\x01#\t7\t").field(2), "");
    EXPECT_EQ(ambrcField("\x01#\t7\t", 2), "");
    EXPECT_EQ(AmbrcFields("\x01#").field(1), "-1");
}

TEST(RecordFields, AmbrcFieldsOfAVeryLongRecordStayBounded) {
    std::string record = "\x01@";
    for (int i = 0; i < 5000; ++i) record += "\t" + std::to_string(i);
    const AmbrcFields fields(record);
    EXPECT_EQ(fields.count(), AmbrcFields::MaxFields);
    EXPECT_EQ(fields.field(3), "2");
    EXPECT_EQ(fields.field(AmbrcFields::MaxFields + 1), "-1");
}

TEST(RecordFields, WholeNumbers) {
    const struct {
        const char* text;
        std::optional<int32_t> value;
    } cases[] = {
        {"05", 5},
        {"  42", 42},
        {"-1", -1},
        {"+7", 7},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"4 ", std::nullopt},
        {"1x", std::nullopt},
        {"0x10", std::nullopt},
        {"$10", std::nullopt},
        {"1.5", std::nullopt},
        {"\x01", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(wholeNumber(c.text), c.value) << c.text;
}

TEST(RecordFields, DecimalNumbers) {
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"12.345", 12.345},
        {"0", 0.0},
        {" 3.5 ", 3.5},
        {"-1", -1.0},
        {".5", 0.5},
        {"1e3", 1000.0},
        {"+2.25", 2.25},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"12,345", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"1e999", std::nullopt},
        {"1.2.3", std::nullopt},
        {"0x1p3", std::nullopt},
        {"-", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(decimalNumber(c.text), c.value) << c.text;
}

} // namespace
