#include "live/json_writer.h"

#include <gtest/gtest.h>

using namespace vexa;

TEST(JsonWriter, CommasNestingAndLatin1Texts) {
    JsonWriter json;
    json.beginObject()
        .key("a")
        .number(-3)
        .key("list")
        .beginArray()
        .string("x")
        .beginObject()
        .endObject()
        .beginArray()
        .endArray()
        .boolean(true)
        .endArray()
        .key("t")
        .string("\"\\\n\x01\x7f\xe9/")
        .key("r")
        .raw("[1]")
        .endObject();
    EXPECT_EQ(json.text(), "{\"a\":-3,\"list\":[\"x\",{},[],true],"
                           "\"t\":\"\\\"\\\\\\u000a\\u0001\\u007f\xc3\xa9/\",\"r\":[1]}");
}
