#include "session/settings_commands.h"

#include "platform/timing_host.h"
#include "race/race_engine.h"
#include "station/race_station.h"
#include "ui/frequencies/frequency_setup_window.h"
#include "ui/main/main_window.h"
#include "ui/settings/settings_window.h"

namespace vexa {

SettingsWindow& wireSettingsCommands(const SettingsCommandParts& parts) {
    MainWindow& main = parts.main;
    Program& program = parts.program;
    Operator& op = parts.op;
    RaceEngine& engine = parts.station.engine();
    auto* window = new SettingsWindow(program, op, parts.station, &main);
    window->setEquipmentWait(parts.waitForEquipment);
    window->setCrystalSetup([&program, &op, window] {
        FrequencySetupWindow names(program, op, window);
        names.exec();
    });
    connectCommand(main.menus().programSetup, [window] { window->openSetup(); });
    QObject::connect(window, &SettingsWindow::settingsSaved, window,
                     [&engine, changed = parts.displaySettingsChanged](bool nextRaceChanged) {
                         // The panel shows the race that comes next as soon as it is another.
                         if (nextRaceChanged) engine.showNextRace();
                         changed();
                     });
    return *window;
}

} // namespace vexa
