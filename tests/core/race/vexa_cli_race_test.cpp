// End to end through `vexa-cli race`: an event on disk, a script of key presses, and the round
// results the program leaves in eventfile.qrf, byte for byte.
#include "files/event_files.h"
#include "support/bytes.h"
#include "support/cli_race.h"
#include "timing/p3_frame_writer.h"
#include "timing/p3_requests.h"

#include <algorithm>
#include <cmath>

using namespace vexa;
using vexa::test::hex;
using VexaCliRace = vexa::test::CliRace;

TEST_F(VexaCliRace, FiveMinuteMassStartOfTenCarsByKeys) {
    program.settings.heatMass = true;
    for (int id = 1; id <= 10; ++id) driver(id, id);
    driver(11, 1, 2); // a second heat, so the race number moves on

    // The race starts when the 60 s countdown, opened at 0, reaches zero: at 61 s. Car c laps in
    // 20 + c/4 seconds until its first crossing from 300 s on; car 10 stops after 5 laps; car 7
    // is pressed once more 3 s after its fourth lap, inside the minimum lap time.
    const double start = 61.0;
    std::string script = "# ten cars, keys 1..9 and 0\n";
    std::vector<std::pair<double, std::string>> presses;
    for (int c = 1; c <= 10; ++c) {
        const double lap = 20.0 + 0.25 * c;
        const char key = c == 10 ? '0' : static_cast<char>('0' + c);
        for (int n = 1; c == 10 ? n <= 5 : (n - 1) * lap < 300.0; ++n)
            presses.push_back({start + n * lap, std::string("key ") + key});
    }
    presses.push_back({start + 4 * 21.75 + 3, "key 7"});
    std::stable_sort(presses.begin(), presses.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [t, what] : presses) script += at(t, what);

    ASSERT_EQ(run(script), 0) << output;
    EXPECT_EQ(eventFile("eventfile.qrf"), hex(R"(
        01 00 00 00 01 00 00 00 0F 00 00 00 89 00 00 00 E0 17 00 00
        02 00 00 00 01 00 00 00 0F 00 00 00 89 00 00 00 C0 19 00 00
        03 00 00 00 01 00 00 00 0F 00 00 00 89 00 00 00 A0 1B 00 00
        04 00 00 00 01 00 00 00 0F 00 00 00 89 00 00 00 80 1D 00 00
        05 00 00 00 01 00 00 00 0F 00 00 00 89 00 00 00 60 1F 00 00
        06 00 00 00 01 00 00 00 0E 00 00 00 89 00 00 00 80 16 00 00
        07 00 00 00 01 00 00 00 0E 00 00 00 89 00 00 00 40 18 00 00
        08 00 00 00 01 00 00 00 0E 00 00 00 89 00 00 00 00 1A 00 00
        09 00 00 00 01 00 00 00 0E 00 00 00 89 00 00 00 C0 1B 00 00
        0A 00 00 00 01 00 00 00 05 00 00 00 87 00 00 00 00 61 00 00)"));
    const auto settings = eventFile("eventfile.qmf");
    ASSERT_EQ(settings.size(), EventRecordSize);
    EXPECT_EQ(std::vector<uint8_t>(settings.begin() + 84, settings.begin() + 92),
              hex("02 00 00 00 01 00 00 00")); // race 2 of round 1 is next
    EXPECT_NE(output.find("sound 1 start.wav"), std::string::npos);
    EXPECT_NE(output.find("1 race(s) run"), std::string::npos);
}

TEST_F(VexaCliRace, StaggerStartWithTheLeaderStartingTheLateCars) {
    program.settings.heatMass = false;
    program.settings.startFromLeader = true;
    for (int id = 1; id <= 4; ++id) driver(id, id);

    // Cars 1 and 2 start on their own at 2 and 4.5 s; car 1's first lap at 22 s starts cars 3
    // and 4. Each car races 5 minutes of its own time and finishes at its first crossing after.
    const double start = 61.0;
    struct Car {
        char key;
        double own;
        double lap;
        int laps;
    };
    const Car cars[] = {
        {'1', 2.0, 20.0, 15}, {'2', 4.5, 20.5, 15}, {'3', 22.0, 21.0, 15}, {'4', 22.0, 19.75, 16}};
    std::vector<std::pair<double, std::string>> presses = {{start + 2.0, "key 1"},
                                                           {start + 4.5, "key 2"}};
    for (const Car& c : cars)
        for (int n = 1; n <= c.laps; ++n)
            presses.push_back({start + c.own + n * c.lap, std::string("key ") + c.key});
    std::stable_sort(presses.begin(), presses.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string script;
    for (const auto& [t, what] : presses) script += at(t, what);

    ASSERT_EQ(run(script), 0) << output;
    EXPECT_EQ(eventFile("eventfile.qrf"), hex(R"(
        01 00 00 00 01 00 00 00 0F 00 00 00 89 00 00 00 00 16 00 00
        02 00 00 00 01 00 00 00 0F 00 00 00 89 00 00 00 C0 19 00 00
        03 00 00 00 01 00 00 00 0F 00 00 00 89 00 00 00 80 1D 00 00
        04 00 00 00 01 00 00 00 10 00 00 00 89 00 00 00 00 1E 00 00)"));
    EXPECT_NE(output.find("sound 1 runstart.wav"), std::string::npos);
    EXPECT_NE(output.find("endofround round 1"), std::string::npos);
}

TEST_F(VexaCliRace, MassStartCountedFromARecordedAmbrcDecoder) {
    program.settings.heatMass = true;
    program.settings.countDevice = 2; // AMBrc on Com 1
    program.settings.count1ComPort = 0;
    driver(1, 1);
    driver(2, 2);
    program.event.cpts[1].transponder = 210001;
    program.event.cpts[2].transponder = 210002;

    // A record as the decoder sends it: SOH, the type, tab-separated fields, CR LF.
    const auto record = [](char type, const std::string& fields) {
        return decoderEvent(std::string("\x01") + type + fields + "\r\n");
    };
    const auto passing = [&](int transponder, double decoderTime) {
        char fields[80];
        std::snprintf(fields, sizeof fields, "\t1\t7\t%d\t%.3f\t5\t80", transponder, decoderTime);
        return record('@', fields);
    };

    // The decoder answers the presence check and sends its status every five seconds; the race
    // starts at 61 s, when the decoder's clock is restarted. Car 1 laps in 29.5 s, car 2 in
    // 31 s, each finishing at its first crossing after 300 s; a stranger's transponder and a
    // garbled record come in between.
    const double start = 61.0;
    std::vector<std::pair<double, std::string>> events = {{0.5, record('$', "\t1\t0\t0")}};
    for (double t = 1.0; t < start + 340; t += 5) events.push_back({t, record('#', "\t1\t0\t40")});
    for (int n = 1; n <= 11; ++n)
        events.push_back({start + n * 29.5 + 0.02, passing(210001, n * 29.5)});
    for (int n = 1; n <= 10; ++n)
        events.push_back({start + n * 31.0 + 0.02, passing(210002, n * 31.0)});
    events.push_back({start + 45.0, passing(4242, 44.98)});
    events.push_back({start + 50.0, record('@', "\t1\t9\t10x1\t49.000\t5\t80")});
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string script;
    for (const auto& [t, what] : events) script += at(t, what);

    const auto sheets = dir.path() / "sheets";
    ASSERT_EQ(run(script, 1, " --print-dir \"" + sheets.string() + "\""), 0) << output;
    EventData back;
    applyResultsBytes(eventFile("eventfile.qrf"), back);
    EXPECT_EQ(back.cptres[1].laps[1], 11);
    const auto sheet = readWholeFile(sheets / "print1.txt");
    ASSERT_TRUE(sheet.has_value());
    EXPECT_NE(std::string(sheet->begin(), sheet->end()).find("Driver 2"), std::string::npos);
    EXPECT_DOUBLE_EQ(back.cptres[1].time[1], 324.5);
    EXPECT_EQ(back.cptres[2].laps[1], 10);
    EXPECT_DOUBLE_EQ(back.cptres[2].time[1], 310.0);
    EXPECT_NE(output.find("counting equipment AMBrc(Com)"), std::string::npos) << output;
    // The race's page and, with an AMBrc decoder, the upload file are written as in the program.
    const auto eventDir = program.home.eventDir("Club Day");
    EXPECT_TRUE(std::filesystem::exists(eventDir / "html" / "h1r1.html"));
    EXPECT_TRUE(std::filesystem::exists(eventDir / "mlri.dat")) << output;
    EXPECT_NE(output.find("'10x1' is not a valid integer value"), std::string::npos) << output;
}

TEST_F(VexaCliRace, MassStartCountedFromAP3DecoderWithARecordLostOnTheWay) {
    program.settings.heatMass = true;
    program.settings.countDevice = 3; // P3 over TCP
    program.settings.ipAddress = "192.168.1.50";
    driver(1, 1);
    driver(2, 2);
    program.event.cpts[1].transponder = 102758186; // a ProChip's nine digits
    program.event.cpts[2].transponder = 253138463; // the number of the code "PV-38463"

    // The decoder's clock runs on from its own time of day; a client never restarts it.
    const auto decoderTime = [](double at) {
        return 1'761'855'000'000'000ull + static_cast<uint64_t>(std::llround(at * 1e6));
    };
    const auto status = P3FrameWriter(P3Tor::Status).u16(0x01, 39).u32(0x81, 268307).frame();
    struct Crossing {
        double at;
        bool chip;
    };
    // The race starts at 61 s. Car 1 laps in 29.5 s, car 2 in 31 s; the decoder numbers their
    // crossings in order.
    const double start = 61.0;
    std::vector<Crossing> crossings;
    for (int n = 1; n <= 11; ++n) crossings.push_back({start + n * 29.5, true});
    for (int n = 1; n <= 10; ++n) crossings.push_back({start + n * 31.0, false});
    std::sort(crossings.begin(), crossings.end(),
              [](const Crossing& a, const Crossing& b) { return a.at < b.at; });
    const auto passing = [&](size_t i) {
        P3FrameWriter w(P3Tor::Passing);
        w.u32(0x01, static_cast<uint32_t>(i + 1));
        if (crossings[i].chip)
            w.u32(0x03, 102758186).text(0x0A, "FL-94890");
        else
            w.text(0x0A, "PV-38463");
        return w.u64(0x04, decoderTime(crossings[i].at)).u16(0x06, 12).u32(0x81, 268307).frame();
    };

    // The decoder's first status answers the check; it answers the time asked at the start at
    // once. Passing 8 is lost on the way: passing 9 shows the gap, the program asks for 7 to 9,
    // and the decoder sends them again a tenth of a second later.
    std::vector<std::pair<double, std::string>> events;
    for (double t = 0.5; t < start + 340; t += 5) events.push_back({t, decoderEvent(status)});
    events.push_back(
        {start, decoderEvent(P3FrameWriter(P3Tor::GetTime).u64(0x01, decoderTime(start)).frame())});
    for (size_t i = 0; i < crossings.size(); ++i)
        if (i != 7) events.push_back({crossings[i].at + 0.02, decoderEvent(passing(i))});
    events.push_back({crossings[8].at + 0.12, decoderEvent(passing(6) + passing(7) + passing(8))});
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string script;
    for (const auto& [t, what] : events) script += at(t, what);

    ASSERT_EQ(run(script), 0) << output;
    EventData back;
    applyResultsBytes(eventFile("eventfile.qrf"), back);
    EXPECT_EQ(back.cptres[1].laps[1], 11);
    EXPECT_DOUBLE_EQ(back.cptres[1].time[1], 324.5);
    EXPECT_EQ(back.cptres[2].laps[1], 10);
    EXPECT_DOUBLE_EQ(back.cptres[2].time[1], 310.0);
    EXPECT_NE(output.find("counting equipment P3(TCP)"), std::string::npos) << output;
    EXPECT_NE(output.find("decoder connection to 192.168.1.50"), std::string::npos);
    const std::string resend = decoderEvent(p3ResendRequest(7, 9)).substr(8);
    EXPECT_NE(output.find("decoder sent " + resend), std::string::npos) << output;
    EXPECT_NE(output.find("Passings recovered from the decoder: 1"), std::string::npos);
    EXPECT_EQ(output.find("AMB time incorrect"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(program.home.eventDir("Club Day") / "mlri.dat"));
}

TEST_F(VexaCliRace, ADecoderThatFallsSilentLeavesTheRaceToTheKeys) {
    program.settings.heatMass = true;
    program.settings.countDevice = 2; // AMBrc on Com 1
    driver(1, 1);
    program.event.cpts[1].transponder = 210001;
    const auto record = [](const std::string& text) { return decoderEvent(text + "\r\n"); };
    // The decoder counts three laps and sends its status until 150 s, then nothing: 15 s later
    // the keys are on, and the lap counter takes over.
    std::vector<std::pair<double, std::string>> events = {{0.5, record("\x01$\t1\t0\t0")}};
    for (double t = 5; t <= 150; t += 5) events.push_back({t, record("\x01#\t1\t0\t40")});
    for (int n = 1; n <= 3; ++n) {
        char fields[64];
        std::snprintf(fields, sizeof fields, "\x01@\t1\t7\t210001\t%.3f\t5\t80", n * 29.5);
        events.push_back({61.0 + n * 29.5, record(fields)});
    }
    for (int n = 4; n <= 11; ++n) events.push_back({61.0 + n * 29.5, "key 1"});
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string script;
    for (const auto& [t, what] : events) script += at(t, what);
    ASSERT_EQ(run(script), 0) << output;
    EXPECT_NE(output.find("No data from the decoder for 15 s and no answer when asked, laps are "
                          "now counted with the keys"),
              std::string::npos)
        << output;
    EventData back;
    applyResultsBytes(eventFile("eventfile.qrf"), back);
    EXPECT_EQ(back.cptres[1].laps[1], 11);
    EXPECT_DOUBLE_EQ(back.cptres[1].time[1], 324.5);
}

TEST_F(VexaCliRace, AnUnansweredPresenceCheckFallsBackToTheKeys) {
    program.settings.heatMass = true;
    program.settings.countDevice = 2;
    driver(1, 1);
    std::string script;
    for (int n = 1; n <= 11; ++n) script += at(61.0 + n * 29.5, "key 1");
    ASSERT_EQ(run(script), 0) << output;
    EXPECT_NE(output.find("AMB Decoder not found, now set to manual counting"), std::string::npos);
    EventData back;
    applyResultsBytes(eventFile("eventfile.qrf"), back);
    EXPECT_EQ(back.cptres[1].laps[1], 11);
}

TEST_F(VexaCliRace, RefusesWhatItCannotRun) {
    driver(1, 1);
    EXPECT_NE(run("61.5 jump 3\n"), 0);
    EXPECT_NE(output.find("line 1: unknown event: jump"), std::string::npos);
}

#ifdef VEXA_CLI_SERVES
constexpr bool CliServes = true;
#else
constexpr bool CliServes = false;
#endif

TEST_F(VexaCliRace, LiveOptionsAreChecked) {
    driver(1, 1);
    struct Case {
        const char* options;
        const char* said;
    };
    const Case cases[] = {
        {" --speed 0 --live 127.0.0.1:0", "--speed needs a number above 0"},
        {" --speed fast --live 127.0.0.1:0", "--speed needs a number above 0"},
        {" --speed 2", "--speed goes with --live or --scoreboard"},
        {" --live 127.0.0.1", "--live needs"},
        {" --live 127.0.0.1:99999", "--live needs"},
        {" --scoreboard 127.0.0.1", "--scoreboard needs"},
        // Without Qt there is no server to look the address up: the option is refused as such.
        {" --scoreboard nowhere:50000",
         CliServes ? "is not a network address"
                   : "--scoreboard needs vexa-cli built with the program (Qt)"},
    };
    for (const Case& c : cases) {
        EXPECT_NE(run("", 1, c.options), 0) << c.options;
        EXPECT_NE(output.find(c.said), std::string::npos) << c.options << "\n" << output;
        EXPECT_EQ(output.find("race(s) run"), std::string::npos) << "no race ran: " << c.options;
    }
}

TEST_F(VexaCliRace, AFailedSaveOrOutputFailsTheRunEvenWhenQuiet) {
    program.settings.heatMass = true;
    driver(1, 1); // one heat: the race stays the current one and can be run again
    writeEvent();
    const auto eventDir = program.home.eventDir("Club Day");
    const std::string script = at(81, "key 1") + at(101, "key 1");
    struct Case {
        const char* what;
        std::filesystem::path blocked; // made a folder, so the file cannot be replaced
        const char* named;             // in the message
    };
    const Case cases[] = {
        {"the results file", eventDir / "eventfile.qrf", "eventfile.qrf could not be written"},
        {"the race page, the last output of the run", eventDir / "html" / "h1r1.html", "h1r1.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(c.blocked);
        std::filesystem::create_directory(c.blocked);
        EXPECT_EQ(exitCode(run(script, 1, " --quiet")), 3) << output;
        EXPECT_NE(output.find("vexa-cli race: failed: The file"), std::string::npos) << output;
        EXPECT_NE(output.find(c.named), std::string::npos) << output;
        std::filesystem::remove_all(c.blocked);
    }
    EXPECT_EQ(exitCode(run(script, 1, " --quiet")), 0) << output;
}

// Two heats and a results file that cannot be written: heat 2 waits for heat 1's results, the
// failure is told once however long it lasts, and the event stays at heat 1.
TEST_F(VexaCliRace, AResultsFileThatCannotBeWrittenHoldsTheNextRace) {
    program.settings.heatMass = true;
    driver(1, 1, 1);
    driver(2, 1, 2);
    writeEvent();
    const auto eventDir = program.home.eventDir("Club Day");
    std::filesystem::remove(eventDir / "eventfile.qrf");
    std::filesystem::create_directory(eventDir / "eventfile.qrf"); // it cannot be replaced
    EXPECT_EQ(exitCode(run(at(81, "key 1") + at(900, "key 1"), 2, " --quiet")), 3) << output;
    const size_t told = output.find("failed: The file");
    EXPECT_NE(told, std::string::npos) << output;
    EXPECT_EQ(output.find("failed: The file", told + 1), std::string::npos) << output;
    EXPECT_NE(output.find("1 race(s) run; the results of the last race could not be saved"),
              std::string::npos)
        << output;
    ProgSettings saved;
    applyEventSettingsBytes(eventFile("eventfile.qmf"), saved);
    EXPECT_EQ(saved.raceNumber, 1);
    std::filesystem::remove(eventDir / "eventfile.qrf");
}

TEST_F(VexaCliRace, CommandLineEdges) {
    program.settings.heatMass = true;
    driver(1, 1);
    writeEvent();
    const std::string home = dir.path().string();

    // A name as every shell types it (UTF-8) opens the event of that Latin-1 name.
    Program cafe;
    cafe.home.root = dir.path();
    cafe.event.cpts[1] = program.event.cpts[1];
    cafe.event.heats.setSlotText(1, 1, "1");
    ASSERT_TRUE(createEvent(cafe, "Caf\xE9").ok);
    const auto script = dir.path() / "race.txt";
    ASSERT_TRUE(writeFileAtomic(script, at(81, "key 1")).ok);
    EXPECT_EQ(exitCode(runCli("race --quiet --home \"" + home +
                              "\" --event \"Caf\xC3\xA9\" --script \"" + script.string() + "\"")),
              0)
        << output;
    // One beyond Latin-1 cannot be an event's name.
    EXPECT_EQ(exitCode(runCli("race --home \"" + home + "\" --event \"\xCE\xA9mega\"")), 2);
    EXPECT_NE(output.find("Latin-1"), std::string::npos) << output;

    // A mistyped program home is refused, and nothing is created on the way.
    const auto typo = dir.path() / "x" / "a" / "b";
    EXPECT_EQ(exitCode(runCli("race --home \"" + typo.string() + "\" --event \"Club Day\"")), 1);
    EXPECT_NE(output.find("is not a folder"), std::string::npos) << output;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "x"));
    EXPECT_EQ(exitCode(runCli("report --home \"" + typo.string() +
                              "\" --event \"Club Day\" --out r.txt points")),
              2);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "x"));

    // Control characters from a script line or a decoder record reach the terminal escaped.
    EXPECT_EQ(exitCode(run("61.5 \x1B[2Jjump\n")), 2);
    EXPECT_NE(output.find("unknown event: \\x1B[2Jjump"), std::string::npos) << output;
    program.settings.countDevice = 2;
    const std::string garbled =
        "decoder 01 40 09 31 09 37 09 1B 5D 32 09 31 2E 30 09 35 09 38 30 0D 0A";
    std::string decoder = at(0.5, "decoder 01 24 09 31 09 30 09 30 0D 0A");
    for (int t = 1; t < 90; t += 5) // the decoder's status, so that it counts as there
        decoder += at(t, decoderEvent("\x01#\t1\t0\t40\r\n"));
    EXPECT_EQ(exitCode(run(decoder + at(70, garbled) + at(81, "key 1"))), 0) << output;
    EXPECT_NE(output.find("'\\x1B]2' is not a valid integer value"), std::string::npos) << output;
    EXPECT_EQ(output.find('\x1B'), std::string::npos) << "a raw escape reached the terminal";
}
