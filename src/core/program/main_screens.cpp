#include "program/main_screens.h"

#include "files/event_files.h"
#include "model/competitor.h"
#include "program/program.h"
#include "race/race_engine.h"

namespace vexa {

Outcome MainScreens::show(Screen screen) {
    Outcome written;
    if (current_ == Screen::Tables && screen != Screen::Tables) written = writeTables();
    current_ = screen;
    return written;
}

bool MainScreens::closeRequestHeard() const {
    return !race_ || race_->values().RaceState != RaceStates::Running;
}

bool MainScreens::exitConfirmed(const std::string& typed) {
    return upperLatin1(typed) == "YES";
}

Outcome MainScreens::saveOnExit() {
    const Outcome tables = current_ == Screen::Tables ? writeTables() : Outcome::success();
    const Outcome database = writeDriversDatabase(program_.database);
    return tables ? database : tables;
}

Outcome MainScreens::writeTables() {
    if (!program_.paths) return Outcome::success();
    Outcome heats = writeTable(program_.paths->heats, program_.event.heats);
    Outcome finals = writeTable(program_.paths->finals, program_.event.finals);
    return heats ? finals : heats;
}

} // namespace vexa
