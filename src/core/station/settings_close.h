#pragma once

#include "model/outcome.h"
#include "settings/prog_settings.h"
#include "settings/setup_close_checks.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

struct Program;
class CountingEquipment;
class RaceEngine;

// The page a refused close turns to, so the operator sees the field that is wrong.
enum class SetupPage { None, Classes, Transponders };

// What the settings window holds when it is closed, as plain data.
struct SettingsCloseRequest {
    SetupCloseFields fields;
    // Reading the shown class's minutes and the shown transponder set: a cell holding no whole
    // number fails with its message.
    Outcome classDetails = Outcome::success();
    Outcome transponderSet = Outcome::success();
    // The settings with every page stored into them.
    ProgSettings edited;
    bool portListChanged = false;
};

// One file the close wrote, and how that went.
struct SettingsFileWritten {
    std::filesystem::path path;
    Outcome outcome = Outcome::success();
};

// What closing the settings came to, in the order it happened.
struct SettingsCloseOutcome {
    bool closed = false;
    // Refused: the page to show and the message why; nothing was stored.
    SetupPage showPage = SetupPage::None;
    // The messages for the operator, in order.
    std::vector<std::string> messages;
    // The choice of counting equipment was applied: it is being looked for again.
    bool equipmentSearched = false;
    std::vector<SettingsFileWritten> files;
    // The min-lap given to the race engine, when the field held one.
    std::optional<int> minLap;
    // The round, the race or the table raced from changed.
    bool nextRaceChanged = false;
};

// What the window does while the close runs: waits while the counting equipment is looked for
// (before anything is saved, so the files hold what the search settled), and shows that the
// settings are being saved.
struct SettingsCloseHooks {
    std::function<void()> waitForEquipment;
    std::function<void()> saving;
};

// Closes the settings window: checks the times and ports and the cells read, then stores the
// edited settings, stops the transponder test, sets the counting equipment up again when its
// choice changed, saves the settings file and the open event's own settings file, and gives the
// race engine its min-lap.
SettingsCloseOutcome closeSettings(Program& program, CountingEquipment& equipment, RaceEngine& race,
                                   const SettingsCloseRequest& request,
                                   const SettingsCloseHooks& hooks = {});

} // namespace vexa
