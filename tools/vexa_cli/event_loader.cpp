#include "event_loader.h"

#include "program/event_store.h"
#include "terminal_text.h"

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

} // namespace vexa::cli
