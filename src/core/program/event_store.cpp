#include "program/event_store.h"

#include "files/event_files.h"
#include "files/settings_file.h"
#include "model/competitor.h"

#include <algorithm>
#include <string_view>
#include <system_error>

namespace vexa {

namespace fs = std::filesystem;

std::string defaultEventName(int year, int month, int day) {
    static const char* const months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                         "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    const int m = std::clamp(month, 1, 12);
    return std::to_string(day) + " " + months[m - 1] + " " + std::to_string(year);
}

std::vector<std::string> listEvents(const ProgramHome& home) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(home.eventsDir(), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (!it->is_directory(typeEc)) continue;
        std::string name;
        for (char32_t c : it->path().filename().u32string())
            name += c < 256 ? static_cast<char>(c) : '?';
        names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = upperLatin1(a), ub = upperLatin1(b);
        return ua != ub ? ua < ub : a < b;
    });
    return names;
}

Outcome validateEventName(const std::string& name) {
    constexpr size_t MaxNameLength = 100;
    if (name.find_first_not_of(" ") == std::string::npos)
        return Outcome::failure("Please type a name for the event");
    if (name.front() == ' ' || name.back() == ' ')
        return Outcome::failure("An event name cannot begin or end with a blank");
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 32 || u == 127 || std::string_view("\\/:*?\"<>|").find(c) != std::string::npos)
            return Outcome::failure(
                "An event name cannot contain any of these characters: \\ / : * ? \" < > |");
    }
    if (name.find("..") != std::string::npos || name.back() == '.')
        return Outcome::failure("An event name cannot contain \"..\" or end with a full stop");
    if (name.size() > MaxNameLength)
        return Outcome::failure("An event name can be at most 100 characters long");
    // Names the Windows file system keeps for devices, with or without an extension.
    const std::string stem = upperLatin1(name.substr(0, name.find('.')));
    static const char* const reserved[] = {"CON", "PRN", "AUX", "NUL"};
    bool isReserved =
        std::find(std::begin(reserved), std::end(reserved), stem) != std::end(reserved);
    if (stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
        stem[3] >= '1' && stem[3] <= '9')
        isReserved = true;
    if (isReserved)
        return Outcome::failure("This name is kept by the system, please try a different name");
    return Outcome::success();
}

Outcome createEvent(Program& program, const std::string& name) {
    if (Outcome valid = validateEventName(name); !valid) return valid;
    const fs::path dir = program.home.eventDir(name);
    std::error_code ec;
    if (fs::exists(dir, ec) || ec) return Outcome::failure(EventExistsMessage);
    fs::create_directories(dir / "html", ec);
    if (ec) return Outcome::failure("The event folder could not be created: " + ec.message());
    const EventPaths paths = EventPaths::in(dir);
    if (Outcome written = writeAllEventFiles(paths, program.settings, program.event); !written)
        return written;
    program.paths = paths;
    program.eventName = name;
    return Outcome::success();
}

Outcome chooseEventRadios(Program& program, bool twoPointFourOnly) {
    program.settings.requiresFreq = !twoPointFourOnly;
    bool changed = false;
    if (twoPointFourOnly)
        for (int id = 1; id <= MaxCompetitors; ++id) {
            comp_ent& c = program.event.competitor(id);
            if (!c.inUse() || c.noFreqNeeded()) continue;
            c.setNoFreqNeeded(true);
            changed = true;
        }
    if (changed && program.paths)
        if (Outcome written = writeCompetitors(program.paths->competitors, program.event); !written)
            return written;
    return saveSettingKeys(program.home.iniFile(), program.settings, "MISC", "REQUIRES FREQ");
}

OpenEventResult openEvent(Program& program, const std::string& name) {
    OpenEventResult result;
    if (name.empty()) return result;
    if (!validateEventName(name)) {
        result.message = NotAnEventMessage;
        return result;
    }
    const EventPaths paths = EventPaths::in(program.home.eventDir(name));
    std::error_code ec;
    if (!fs::is_regular_file(paths.settings, ec)) {
        result.message = NotAnEventMessage;
        return result;
    }
    const Outcome read = readAllEventFiles(paths, program.settings, program.event);
    program.paths = paths;
    program.eventName = name;
    result.opened = true;
    result.message = read.message;
    return result;
}

} // namespace vexa
