#include "journal/race_corrections.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace vexa;

TEST(RaceCorrections, KeptOneALineAndReadBack) {
    const char* const lines[] = {"remove-passing 2 5", "add-lap 3 174.25",
                                 "penalty 3",          "take-back-penalty 3",
                                 "set 3 9 280.5",      "assign-transponder 4012345 2"};
    std::string file;
    for (const char* line : lines) {
        std::istringstream in(line);
        std::vector<std::string> words;
        for (std::string w; in >> w;) words.push_back(w);
        std::string error;
        const auto c = parseCorrection(words, error);
        ASSERT_TRUE(c) << line << ": " << error;
        EXPECT_EQ(correctionText(*c), line);
        file += std::string(line) + "\n";
    }
    file += "set 3 nine 280\nwhatever\n";
    const auto read = readCorrections(file);
    ASSERT_EQ(read.size(), 6u); // the lines that are no correction are skipped
    EXPECT_EQ(read[1].kind, Correction::Kind::AddLap);
    EXPECT_EQ(read[1].seconds, 174.25);
    EXPECT_EQ(read[4].laps, 9);
    EXPECT_EQ(read[5].transponder, 4012345);
    EXPECT_EQ(read[5].car, 2);
}

// Two inputs of the race: the first counts lap 1 of cars 1 and 2 in one decoder record, the
// second lap 2 of car 1 alone.
TEST(RaceCorrections, APassingIsRemovedWithItsInputOnlyWhenItCameAlone) {
    std::vector<ScriptEvent> inputs(3);
    inputs[0].ms = 1000; // before the race
    inputs[1].ms = 90000;
    inputs[1].kind = ScriptEvent::Kind::Decoder;
    inputs[1].data = "two passings";
    inputs[2].ms = 120000;
    inputs[2].data = "1";
    RaceTrace trace;
    trace.firstInput = 1;
    trace.startMs = 61000;
    trace.lapsAfter.resize(2);
    trace.lapsAfter[0][1] = 1;
    trace.lapsAfter[0][2] = 1;
    trace.lapsAfter[1][1] = 2;
    trace.lapsAfter[1][2] = 1;
    trace.keysOnBefore = {false, true};

    Correction remove{Correction::Kind::RemovePassing, 1, 2};
    CorrectedInputs out = applyCorrection(remove, inputs, trace);
    ASSERT_TRUE(out.message.empty()) << out.message;
    ASSERT_EQ(out.inputs.size(), 2u);
    EXPECT_EQ(out.inputs[1].ms, 90000);

    remove.lap = 1;
    out = applyCorrection(remove, inputs, trace);
    EXPECT_NE(out.message.find("came in one record with another car's"), std::string::npos);
    EXPECT_EQ(out.inputs.size(), 3u);

    // A lap added while the keys are off is typed with them switched on for it.
    Correction add{Correction::Kind::AddLap, 12, 0, 20.5};
    out = applyCorrection(add, inputs, trace);
    ASSERT_EQ(out.inputs.size(), 6u);
    EXPECT_EQ(out.inputs[1].action, "keys");
    EXPECT_EQ(out.inputs[2].data, "W");
    EXPECT_EQ(out.inputs[2].ms, 81500);
    EXPECT_EQ(out.inputs[3].action, "keys");
    EXPECT_EQ(out.inputs[4].ms, 90000);
}
