#include "event_loader.h"

#include "program/event_store.h"
#include "terminal_text.h"

#include <ostream>
#include <system_error>

namespace vexa::cli {

EventLoad loadEvent(Program& program, const std::string& home, const std::string& event) {
    EventLoad load;
    std::error_code ec;
    if (!std::filesystem::is_directory(std::filesystem::path(home), ec)) {
        load.outcome =
            Outcome::failure("The program home " + escapedControls(home) + " is not a folder");
        return load;
    }
    const std::optional<std::string> name = latin1FromUtf8(event);
    if (!name) {
        load.badName = true;
        load.outcome = Outcome::failure(
            "The event name " + escapedControls(event) +
            " cannot be an event's name: event names hold Latin-1 characters only");
        return load;
    }
    program.home.root = std::filesystem::path(home);
    for (const std::string& message : loadProgram(program))
        load.notes.push_back(terminalText(message));
    const OpenEventResult opened = openEvent(program, *name);
    if (!opened.opened) {
        load.outcome = Outcome::failure(terminalText(
            opened.message.empty() ? "The event " + *name + " was not found" : opened.message));
        return load;
    }
    if (!opened.message.empty()) load.notes.push_back(terminalText(opened.message));
    return load;
}

std::unique_ptr<JournalReplay> openJournalReplay(const std::filesystem::path& file,
                                                 const std::string& command, std::ostream& err) {
    OpenedJournalReplay opened = vexa::openJournalReplay(
        file, [](Program& program, const std::filesystem::path& home, const std::string& folder,
                 std::vector<std::string>& notes) {
            EventLoad loaded = loadEvent(program, home.string(), folder);
            notes.insert(notes.end(), loaded.notes.begin(), loaded.notes.end());
            return loaded.outcome;
        });
    for (const std::string& note : opened.notes)
        err << "vexa-cli " << command << ": " << note << "\n";
    if (!opened.replay) err << "vexa-cli " << command << ": " << opened.problem << "\n";
    return std::move(opened.replay);
}

std::function<void(const PortEvent&)> terminalEcho(std::ostream* out) {
    if (!out) return {};
    return [out](const PortEvent& e) { *out << terminalText(formatPortEvent(e)) << "\n"; };
}

} // namespace vexa::cli
