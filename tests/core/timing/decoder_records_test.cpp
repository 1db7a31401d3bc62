#include "timing/decoder_commands.h"
#include "timing/decoder_records.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace vexa;

namespace {

std::string ambrc(char type, std::initializer_list<const char*> fields) {
    std::string record = std::string("\x01") + type;
    for (const char* f : fields) record += std::string("\t") + f;
    return record;
}

TEST(DecoderRecords, AmbrcRecords) {
    const struct {
        const char* name;
        std::string record;
        int32_t decoderId;
        RecordKind kind;
        int32_t transponder;
        double time;
        int32_t hits;
        int32_t signal;
    } cases[] = {
        {"passing", ambrc('@', {"7", "1", "4012345", "12.345", "5", "80"}), 7, RecordKind::Passing,
         4012345, 12.345, 5, 80},
        {"other decoder", ambrc('@', {"7", "1", "4012345", "12.345", "5", "80"}), 8,
         RecordKind::WrongDecoder, 0, -1.0, 0, 0},
        {"transponder 2099", ambrc('@', {"7", "1", "2099", "1.0", "5", "80"}), 7,
         RecordKind::Ignored, 2099, -1.0, 0, 0},
        {"transponder 2100", ambrc('@', {"7", "1", "2100", "1.0", "5", "80"}), 7,
         RecordKind::Passing, 2100, 1.0, 5, 80},
        {"transponder 9999999", ambrc('@', {"7", "1", "9999999", "1.0", "5", "80"}), 7,
         RecordKind::Passing, 9999999, 1.0, 5, 80},
        {"transponder 10000000", ambrc('@', {"7", "1", "10000000", "1.0", "5", "80"}), 7,
         RecordKind::Ignored, 10000000, -1.0, 0, 0},
        {"invalid time reads -1", ambrc('@', {"7", "1", "4012345", "12,3", "5", "80"}), 7,
         RecordKind::Passing, 4012345, -1.0, 5, 80},
        {"missing time, hits and signal read -1", ambrc('@', {"7", "1", "4012345"}), 7,
         RecordKind::Passing, 4012345, -1.0, -1, -1},
        {"missing transponder is out of range", ambrc('@', {"7"}), 7, RecordKind::Ignored, -1, -1.0,
         0, 0},
        {"non-numeric identity", ambrc('@', {"x7", "1", "4012345", "1.0", "5", "80"}), 7,
         RecordKind::Malformed, 0, -1.0, 0, 0},
        {"non-numeric transponder", ambrc('@', {"7", "1", "40a", "1.0", "5", "80"}), 7,
         RecordKind::Malformed, 0, -1.0, 0, 0},
        {"non-numeric hits", ambrc('@', {"7", "1", "4012345", "1.0", "five", "80"}), 7,
         RecordKind::Malformed, 4012345, -1.0, 0, 0},
        {"non-numeric signal", ambrc('@', {"7", "1", "4012345", "1.0", "5", "loud"}), 7,
         RecordKind::Malformed, 4012345, -1.0, 5, 0},
        {"status", ambrc('#', {"7", "0", "23"}), 7, RecordKind::Status, 0, -1.0, 0, 0},
        {"status of another decoder", ambrc('#', {"9", "0", "23"}), 7, RecordKind::WrongDecoder, 0,
         -1.0, 0, 0},
        {"reply outside the check", ambrc('$', {"7", "0", "33"}), 7, RecordKind::Ignored, 0, -1.0,
         0, 0},
        {"no SOH", "@\t7\t1\t4012345\t1.0\t5\t80", 7, RecordKind::Ignored, 0, -1.0, 0, 0},
        {"SOH alone", "\x01", 7, RecordKind::Ignored, 0, -1.0, 0, 0},
    };
    for (const auto& c : cases) {
        const AmbrcRecord r = parseAmbrcRecord(c.record, c.decoderId);
        EXPECT_EQ(r.kind, c.kind) << c.name;
        if (r.kind != RecordKind::Passing) continue;
        EXPECT_EQ(r.transponder, c.transponder) << c.name;
        EXPECT_DOUBLE_EQ(r.time, c.time) << c.name;
        EXPECT_EQ(r.hits, c.hits) << c.name;
        EXPECT_EQ(r.signal, c.signal) << c.name;
    }
    EXPECT_EQ(parseAmbrcRecord(ambrc('#', {"7", "0", "23"}), 7).noise, "23");
    EXPECT_EQ(parseAmbrcRecord(ambrc('@', {"7", "1", "4012345", "1", "5x", "8"}), 7).badText, "5x");
}

TEST(DecoderRecords, CarNumberRecords) {
    using Parse = CarRecord (*)(std::string_view);
    const Parse s20 = parseSystem20Record;
    const Parse second = parseSecondSystem20Record;
    const Parse italian = parseItalianRecord;
    const struct {
        const char* name;
        Parse parse;
        const char* record;
        RecordKind kind;
        int32_t carno;
        double time;
        std::optional<int32_t> hits;
    } cases[] = {
        {"12 characters", s20, "@05010215307", RecordKind::Passing, 5, 3735.30, 7},
        {"13 characters", s20, "@050102153007", RecordKind::Passing, 5, 3735.30, 7},
        {"14 characters keep the hits", s20, "@0501021530071", RecordKind::Passing, 5, 3735.30,
         std::nullopt},
        {"clock record", s20, "@00000005", RecordKind::Ignored, 0, 0, std::nullopt},
        {"first clock record", s20, "@00000001", RecordKind::Ignored, 0, 0, std::nullopt},
        {"too short", s20, "@0501021530", RecordKind::Ignored, 0, 0, std::nullopt},
        {"no @", s20, "#05010215307", RecordKind::Ignored, 0, 0, std::nullopt},
        {"letters in the car", s20, "@x5010215307", RecordKind::Malformed, 0, 0, std::nullopt},
        {"letters in the hours", s20, "@05ab0215307", RecordKind::Malformed, 0, 0, std::nullopt},
        {"letters in the hits", s20, "@05010215300x", RecordKind::Malformed, 0, 0, std::nullopt},
        {"second decoder: 13 characters", second, "@120000123450", RecordKind::Passing, 12, 12.34,
         std::nullopt},
        {"second decoder: 12 characters", second, "@12000012345", RecordKind::Ignored, 0, 0,
         std::nullopt},
        {"second decoder: clock", second, "@000000123450", RecordKind::Ignored, 0, 0, std::nullopt},
        {"italian", italian, "@12x", RecordKind::Passing, 12, ItalianPassingTime, std::nullopt},
        {"italian 3 characters", italian, "@12", RecordKind::Ignored, 0, 0, std::nullopt},
        {"italian 5 characters", italian, "@12xy", RecordKind::Ignored, 0, 0, std::nullopt},
        {"italian letters", italian, "@ab1", RecordKind::Malformed, 0, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        const CarRecord r = c.parse(c.record);
        EXPECT_EQ(r.kind, c.kind) << c.name;
        if (r.kind != RecordKind::Passing) continue;
        EXPECT_EQ(r.carno, c.carno) << c.name;
        EXPECT_NEAR(r.time, c.time, 1e-9) << c.name;
        EXPECT_EQ(r.hits, c.hits) << c.name;
    }
}

TEST(DecoderRecords, Ex20Records) {
    const struct {
        const char* record;
        RecordKind kind;
        int32_t transponder;
    } cases[] = {
        {"@65600", RecordKind::Passing, 65600}, {"@2", RecordKind::Passing, 2},
        {"@00002", RecordKind::Passing, 2},     {"@65601", RecordKind::Ignored, 0},
        {"@1", RecordKind::Ignored, 0},         {"@1234567", RecordKind::Ignored, 0},
        {"@", RecordKind::Ignored, 0},          {"@12a", RecordKind::Ignored, 0},
        {"@-5", RecordKind::Ignored, 0},        {"12345", RecordKind::Ignored, 0},
        {"@00000001", RecordKind::Ignored, 0},
    };
    for (const auto& c : cases) {
        const Ex20Record r = parseEx20Record(c.record);
        EXPECT_EQ(r.kind, c.kind) << c.record;
        EXPECT_EQ(r.transponder, c.transponder) << c.record;
    }
}

TEST(DecoderCommands, Frames) {
    EXPECT_EQ(ambrcCommandText(12, AmbrcCommand::StartA, {1}), "?,12,0,24,1,");
    EXPECT_EQ(ambrcCommandText(7, AmbrcCommand::StartStop, {0, 1}), "?,7,0,14,0,1,");
    EXPECT_EQ(ambrcCommandText(7, AmbrcCommand::Information, {}), "?,7,0,33,");
    EXPECT_EQ(frameDecoderCommand("?,7,0,11,"), "\x01?,7,0,11,\r\n");
    EXPECT_EQ(emptyDecoderCommand(), std::string("\x01\r\n"));
}

} // namespace
