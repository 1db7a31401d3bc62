// Makes a small meeting for comparing the files of `vexa-cli race` on two platforms: a program
// home with the event "Club Day" (two heats of three drivers of one class, counted by an AMBrc
// decoder on a serial port) and the script of what the decoder sends during both heats.
// Usage: make_sample_event HOME SCRIPT
#include "files/file_io.h"
#include "files/settings_file.h"
#include "program/event_store.h"
#include "program/program.h"
#include "support/script_lines.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

using namespace vexa;

namespace {

constexpr double RaceInterval = 60.0;
constexpr int RaceSeconds = 120;

// The drivers: name, transponder, heat, slot. Names carry Latin-1 letters and characters that
// the pages and the upload file escape.
struct SampleDriver {
    const char* name;
    int transponder;
    int heat;
    int slot;
    double lap; // seconds a lap
};

const std::vector<SampleDriver>& sampleDrivers() {
    static const std::vector<SampleDriver> drivers = {
        {"Ann Lee", 4000001, 1, 1, 21.25},           {"Bob \"Rocket\" & Co", 4000002, 1, 2, 22.5},
        {"Zo\xEB M\xFCller", 4000003, 1, 3, 23.125}, {"Dan <Fast> Ray", 4000004, 2, 1, 20.75},
        {"Eve Fran\xE7ois", 4000005, 2, 2, 24.0},    {"Fay O'Neil", 4000006, 2, 3, 21.875},
    };
    return drivers;
}

std::string record(char type, const std::string& fields) {
    return test::decoderEvent(std::string("\x01") + type + fields + "\r\n");
}

// The script: the decoder answers the presence check, then each heat's cars cross the line
// lap by lap, decoder times counted from the clock restart at each start, until each has
// crossed once after the race's length. The first heat starts at the end of the countdown, 61 s
// after the race screen opens; the next countdown begins when a heat is stored, 2 s after its
// last car finished.
std::string sampleScript() {
    std::vector<std::pair<double, std::string>> events = {{0.5, record('$', "\t7\t0\t0")}};
    double start = RaceInterval + 1.0;
    for (int heat = 1; heat <= 2; ++heat) {
        double lastCrossing = start;
        for (const SampleDriver& d : sampleDrivers()) {
            if (d.heat != heat) continue;
            double t = 0;
            while (t <= RaceSeconds) {
                t += d.lap;
                char fields[96];
                std::snprintf(fields, sizeof fields, "\t7\t0\t%d\t%.3f\t9\t120", d.transponder, t);
                events.push_back({start + t + 0.010, record('@', fields)});
            }
            if (start + t + 0.010 > lastCrossing) lastCrossing = start + t + 0.010;
        }
        start = lastCrossing + 2.0 + RaceInterval + 1.0;
    }
    std::string script;
    for (const auto& [at, what] : events) script += test::scriptLine(at, what);
    return script;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_sample_event HOME SCRIPT\n";
        return 2;
    }
    Program program;
    program.home.root = argv[1];
    std::filesystem::create_directories(program.home.root);
    ProgSettings& s = program.settings;
    s.classes[1].name = "Touring";
    s.classes[1].qualMinutes = RaceSeconds / 60;
    s.classes[1].tenSecCountdown = false;
    s.classes[1].readStartOrder = false;
    s.raceInterval = "60";
    s.raceSetup = "30";
    s.heatMass = true;
    s.countDevice = 2; // AMBrc on Com 1
    s.count1ComPort = 0;
    s.decoderSilence = 0;
    for (std::size_t i = 0; i < sampleDrivers().size(); ++i) {
        const SampleDriver& d = sampleDrivers()[i];
        const int id = static_cast<int>(i) + 1;
        program.event.cpts[id].name = d.name;
        program.event.cpts[id].classno = 1;
        program.event.cpts[id].transponder = d.transponder;
        program.event.heats.setSlotText(d.heat, d.slot, std::to_string(id));
    }
    if (!saveSettingsFile(program.home.iniFile(), program.settings).ok) {
        std::cerr << "make_sample_event: the settings file could not be written\n";
        return 1;
    }
    const Outcome created = createEvent(program, "Club Day");
    if (!created.ok) {
        std::cerr << "make_sample_event: " << created.message << "\n";
        return 1;
    }
    const std::string script = sampleScript();
    if (!writeFileAtomic(argv[2], script).ok) {
        std::cerr << "make_sample_event: the script could not be written\n";
        return 1;
    }
    return 0;
}
