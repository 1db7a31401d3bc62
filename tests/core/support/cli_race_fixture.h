#pragma once

// An event on disk in a temporary program home, and `vexa-cli` run on it as a separate process.
#include "files/file_io.h"
#include "program/event_store.h"
#include "program/program.h"
#include "settings/settings_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace vexa::test {

class CliRaceFixture : public ::testing::Test {
  protected:
    CliRaceFixture() {
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

    // Writes the settings file and the event once.
    void writeEvent() {
        EXPECT_TRUE(saveSettingsFile(program.home.iniFile(), program.settings).ok);
        if (!program.eventOpen()) {
            EXPECT_TRUE(createEvent(program, "Club Day").ok);
        }
    }

    // Runs vexa-cli with the words given (quoted where they need it); returns its exit status
    // and keeps what it printed in `output`.
    int cli(const std::string& arguments) {
        std::ostringstream command;
        command << '"' << VEXA_CLI_PATH << "\" " << arguments << " > \""
                << (dir.path() / "out.txt").string() << "\" 2>&1";
        const int status = std::system(command.str().c_str());
        const auto out = readWholeFile(dir.path() / "out.txt");
        output = out ? std::string(out->begin(), out->end()) : std::string{};
        return status;
    }

    std::string quoted(const std::filesystem::path& path) const {
        return '"' + path.string() + '"';
    }

    // `vexa-cli race` on the event with a script; returns its exit code.
    int run(const std::string& script, int races = 1, const std::string& extra = {}) {
        writeEvent();
        const auto scriptFile = dir.path() / "race.txt";
        EXPECT_TRUE(writeFileAtomic(scriptFile, script).ok);
        return cli("race --home " + quoted(dir.path()) + " --event \"Club Day\" --script " +
                   quoted(scriptFile) + " --races " + std::to_string(races) + extra);
    }

    std::filesystem::path eventDir() const { return program.home.eventDir("Club Day"); }

    std::vector<uint8_t> eventFile(const char* name) {
        const auto bytes = readWholeFile(eventDir() / name);
        return bytes ? *bytes : std::vector<uint8_t>{};
    }

    // A script's decoder event: the bytes as hexadecimal pairs.
    static std::string decoderEvent(const std::string& bytes) {
        std::string hexText = "decoder";
        char pair[4];
        for (unsigned char c : bytes) {
            std::snprintf(pair, sizeof pair, " %02X", c);
            hexText += pair;
        }
        return hexText;
    }

    static std::string at(double seconds, const std::string& what) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.3f ", seconds);
        return buf + what + "\n";
    }

    TempDir dir;
    Program program;
    std::string output;
};

} // namespace vexa::test
