#include "program/program.h"

#include "files/freq_names_file.h"
#include "settings/settings_file.h"

#include <system_error>

namespace vexa {

std::vector<std::string> startProgram(Program& program) {
    std::error_code ec;
    std::filesystem::create_directories(program.home.databaseDir(), ec);
    return loadProgram(program);
}

std::vector<std::string> loadProgram(Program& program) {
    std::vector<std::string> messages;
    loadSettingsFile(program.home.iniFile(), program.settings);
    program.event.initialise();
    const Outcome freq = loadFreqNames(program.home.freqNamesFile(), program.freqnames);
    if (!freq) messages.push_back(freq.message);
    return messages;
}

RaceEngine& attachRaceEngine(Program& program, const RacePorts& ports) {
    program.race = std::make_unique<RaceEngine>(program, ports);
    return *program.race;
}

} // namespace vexa
