#include "station/settings_close.h"

#include "base/whole_number.h"
#include "files/event_files.h"
#include "files/settings_file.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "timing/counting_equipment.h"

#include <tuple>
#include <utility>

namespace vexa {

namespace {

auto nextRaceOf(const ProgSettings& s) {
    return std::tuple{s.roundNumber, s.raceNumber, s.racingHeats};
}

// The first check that refuses the close, with the page that shows the wrong field.
std::optional<std::pair<SetupPage, std::string>> refusal(const SettingsCloseRequest& request) {
    if (const auto failure = closeCheckFailure(request.fields))
        return std::pair{SetupPage::None, *failure};
    // A class minute or transponder cell that holds no whole number stops the close before
    // anything is stored.
    if (!request.classDetails) return std::pair{SetupPage::Classes, request.classDetails.message};
    if (!request.transponderSet)
        return std::pair{SetupPage::Transponders, request.transponderSet.message};
    return std::nullopt;
}

} // namespace

SettingsCloseOutcome closeSettings(Program& program, CountingEquipment& equipment, RaceEngine& race,
                                   const SettingsCloseRequest& request,
                                   const SettingsCloseHooks& hooks) {
    SettingsCloseOutcome outcome;
    if (const auto refused = refusal(request)) {
        outcome.showPage = refused->first;
        outcome.messages.push_back(refused->second);
        return outcome;
    }
    outcome.closed = true;
    ProgSettings& s = program.settings;
    const auto raceBefore = nextRaceOf(s);
    equipment.transponderTest().settingsClosed();
    equipment.transponderTest().setView(nullptr);
    // The equipment is set up from the stored port, address and "EX20".
    s = request.edited;
    outcome.equipmentSearched =
        equipment.applyEquipmentChoice(request.fields.device, request.portListChanged);
    if (outcome.equipmentSearched && hooks.waitForEquipment) hooks.waitForEquipment();

    // vexa.ini keeps the device in use: a decoder the search did not find is saved as the keys.
    s.countDevice = settingOf(equipment.countDevice());
    if (hooks.saving) hooks.saving();
    outcome.files.push_back({program.home.iniFile(), saveSettingsFile(program.home.iniFile(), s)});
    if (!request.fields.minLap.empty()) {
        outcome.minLap = settingNumber(request.fields.minLap, 7);
        race.setMinLap(*outcome.minLap);
    }
    if (program.paths)
        outcome.files.push_back(
            {program.paths->settings, writeEventSettings(program.paths->settings, s)});
    for (const SettingsFileWritten& file : outcome.files)
        if (!file.outcome) outcome.messages.push_back(file.outcome.message);
    outcome.nextRaceChanged = nextRaceOf(s) != raceBefore;
    return outcome;
}

} // namespace vexa
