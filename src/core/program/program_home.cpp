#include "program/program_home.h"

namespace vexa {

std::filesystem::path latin1Path(const std::string& name) {
    std::u32string wide;
    for (char c : name) wide += static_cast<char32_t>(static_cast<unsigned char>(c));
    return std::filesystem::path(wide);
}

std::filesystem::path ProgramHome::eventDir(const std::string& name) const {
    return eventsDir() / latin1Path(name);
}

} // namespace vexa
