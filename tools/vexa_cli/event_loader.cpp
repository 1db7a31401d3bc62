#include "event_loader.h"

#include "program/event_store.h"
#include "program/program_home.h"

namespace vexa::cli {

Outcome loadEvent(Program& program, const std::string& home, const std::string& event) {
    program.home.root = std::filesystem::path(home);
    startProgram(program);
    const OpenEventResult opened = openEvent(program, event);
    if (!opened.opened)
        return Outcome::failure(opened.message.empty() ? "The event " + event + " was not found"
                                                       : opened.message);
    return Outcome::success();
}

} // namespace vexa::cli
