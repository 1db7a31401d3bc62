#pragma once

#include "files/file_io.h"
#include "files/settings_file.h"
#include "program/event_store.h"
#include "program/program.h"
#include "support/run_program.h"
#include "support/script_lines.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace vexa::test {

// A program home with the event "Club Day" for `vexa-cli race`: class 1 "Touring" races of 5
// minutes that start at the end of the 60 s countdown (61 s after the race screen opens).
class CliRace : public ::testing::Test {
  protected:
    CliRace() {
        program.home.root = dir.path();
        ProgSettings& s = program.settings;
        s.classes[1].name = "Touring";
        s.classes[1].qualMinutes = 5;
        s.classes[1].tenSecCountdown = false; // start at the end of the countdown, no delay
        s.classes[1].readStartOrder = false;
        s.raceInterval = "60";
        s.raceSetup = "30";
    }

    void driver(int id, int slot, int race = 1) {
        program.event.cpts[id].name = "Driver " + std::to_string(id);
        program.event.cpts[id].classno = 1;
        program.event.heats.setSlotText(race, slot, std::to_string(id));
    }

    // Writes the settings file and the event (once).
    void writeEvent() {
        EXPECT_TRUE(saveSettingsFile(program.home.iniFile(), program.settings).ok);
        if (!program.eventOpen()) {
            EXPECT_TRUE(createEvent(program, "Club Day").ok);
        }
    }

    // Writes the settings file and the event, runs vexa-cli on the script, returns its exit
    // status as std::system gives it. `environment` goes before the command ("NAME=value ...").
    int run(const std::string& script, int races = 1, const std::string& extra = {},
            const std::string& environment = {}) {
        writeEvent();
        const auto scriptFile = dir.path() / "race.txt";
        EXPECT_TRUE(writeFileAtomic(scriptFile, script).ok);
        std::ostringstream arguments;
        arguments << "race --home \"" << dir.path().string()
                  << "\" --event \"Club Day\" --script \"" << scriptFile.string() << "\" --races "
                  << races << extra;
        return runCli(arguments.str(), environment);
    }

    // Runs vexa-cli with the arguments (as a shell reads them); the output of both streams goes
    // into `output`.
    int runCli(const std::string& arguments, const std::string& environment = {}) {
        std::ostringstream command;
        if (!environment.empty()) command << "env " << environment << " ";
        command << '"' << VEXA_CLI_PATH << "\" " << arguments;
        const int status = runProgram(command.str(), dir.path() / "out.txt");
        const auto out = readWholeFile(dir.path() / "out.txt");
        output = out ? std::string(out->begin(), out->end()) : std::string{};
        return status;
    }

    std::string quoted(const std::filesystem::path& path) const {
        return '"' + path.string() + '"';
    }

    std::filesystem::path eventDir() const { return program.home.eventDir("Club Day"); }

    // The exit code within a status std::system returned.
    static int exitCode(int status) {
#ifdef _WIN32
        return status;
#else
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    }

    std::vector<uint8_t> eventFile(const char* name) {
        const auto bytes = readWholeFile(eventDir() / name);
        return bytes ? *bytes : std::vector<uint8_t>{};
    }
    std::string eventText(const char* name) {
        const auto bytes = eventFile(name);
        return std::string(bytes.begin(), bytes.end());
    }

    static std::string decoderEvent(const std::string& bytes) {
        return test::decoderEvent(bytes);
    }
    // An AMBrc record as the decoder sends it (SOH, the type, tab-separated fields, CR LF) as a
    // script's decoder event; and a passing record of decoder 1.
    static std::string ambrcRecord(char type, const std::string& fields) {
        return decoderEvent(std::string("\x01") + type + fields + "\r\n");
    }
    static std::string ambrcPassing(int transponder, double decoderTime) {
        char fields[80];
        std::snprintf(fields, sizeof fields, "\t1\t7\t%d\t%.3f\t5\t80", transponder, decoderTime);
        return ambrcRecord('@', fields);
    }
    static std::string at(double seconds, const std::string& what) {
        return scriptLine(seconds, what);
    }

    TempDir dir;
    Program program;
    std::string output;
};

} // namespace vexa::test
