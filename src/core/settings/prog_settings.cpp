#include "settings/prog_settings.h"

namespace vexa {

const ClassSetup& ProgSettings::classSetup(int classno) const {
    static const ClassSetup none{};
    if (classno < 0 || classno >= MaxClasses) return none;
    return classes[static_cast<size_t>(classno)];
}

std::string ProgSettings::classText(int classno) const {
    return std::to_string(classno) + ") " + classSetup(classno).name;
}

} // namespace vexa
