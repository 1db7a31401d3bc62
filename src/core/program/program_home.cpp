#include "program/program_home.h"
#include "base/latin1_path.h"

namespace vexa {

std::filesystem::path ProgramHome::eventDir(const std::string& name) const {
    return eventsDir() / latin1Path(name);
}

} // namespace vexa
