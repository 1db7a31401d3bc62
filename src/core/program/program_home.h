#pragma once

#include "base/latin1_path.h"

#include <filesystem>
#include <string>

namespace vexa {

// The program home: every path of the program is built from this one folder.
struct ProgramHome {
    std::filesystem::path root;

    std::filesystem::path eventsDir() const { return root / "event files"; }
    std::filesystem::path eventDir(const std::string& name) const;
    std::filesystem::path databaseDir() const { return root / "database"; }
    std::filesystem::path driverPicsDir() const { return root / "driverpics"; }
    std::filesystem::path soundsDir() const { return root / "sounds"; }
    std::filesystem::path iniFile() const { return root / "vexa.ini"; }
    std::filesystem::path freqNamesFile() const { return root / "vexa.qfq"; }
    // The club's loan transponders and who has them.
    std::filesystem::path houseTransponderFile() const { return root / "transponders.ini"; }
};

} // namespace vexa
