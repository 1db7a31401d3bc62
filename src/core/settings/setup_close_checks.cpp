#include "settings/setup_close_checks.h"

#include "base/whole_number.h"
#include "settings/ini_file.h"
#include "settings/settings_table.h"

namespace vexa {

namespace {

// A time field's whole number, or the default of its key in the settings file.
int fieldSeconds(const std::string& text, const char* control) {
    const SettingKey* key = settingForControl(control);
    return settingNumber(text, parseWholeNumber(key->fallback).value_or(0));
}

} // namespace

std::optional<std::string> closeCheckFailure(const SetupCloseFields& f) {
    std::optional<std::string> failure;
    if (fieldSeconds(f.minLap, "minlaptED") >= fieldSeconds(f.lastLap, "maxlastlapT"))
        failure = MinLapNotBelowLastLapMessage;
    if (fieldSeconds(f.raceSetup, "preracewED") >= fieldSeconds(f.raceInterval, "tbetweenrED"))
        failure = RaceSetupNotBelowIntervalMessage;
    if (isDecoder(f.device) && f.decoderPortEntry + 1 == f.controllerPortEntry)
        failure = SameSerialPortMessage;
    return failure;
}

} // namespace vexa
