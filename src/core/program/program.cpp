#include "program/program.h"

#include "files/freq_names_file.h"
#include "files/settings_file.h"
#include "program/default_frequencies.h"

#include <system_error>

namespace vexa {

namespace {

FreqNames firstFreqNames(const std::filesystem::path& shipped) {
    FreqNames names;
    if (!shipped.empty() && loadFreqNames(shipped, names)) return names;
    return defaultFreqNames();
}

} // namespace

std::vector<std::string> startProgram(Program& program,
                                      const std::filesystem::path& shippedFreqNames) {
    std::vector<std::string> messages;
    std::error_code ec;
    const ProgramHome& home = program.home;
    // A home the program has never run in gets its first frequency names; a home whose names
    // file was removed keeps the message that says so.
    const bool fresh = !std::filesystem::exists(home.iniFile(), ec) &&
                       !std::filesystem::exists(home.freqNamesFile(), ec) &&
                       !std::filesystem::exists(home.eventsDir(), ec);
    std::filesystem::create_directories(home.databaseDir(), ec);
    if (fresh) {
        if (const Outcome written =
                saveFreqNames(home.freqNamesFile(), firstFreqNames(shippedFreqNames));
            !written)
            messages.push_back(written.message);
    }
    for (std::string& message : loadProgram(program)) messages.push_back(std::move(message));
    return messages;
}

std::vector<std::string> loadProgram(Program& program) {
    std::vector<std::string> messages;
    loadSettingsFile(program.home.iniFile(), program.settings);
    program.event.initialise();
    const Outcome freq = loadFreqNames(program.home.freqNamesFile(), program.freqnames);
    if (!freq) messages.push_back(freq.message);
    return messages;
}

} // namespace vexa
