#include "session/settings_commands.h"

#include "platform/timing_host.h"
#include "race/race_engine.h"
#include "session/session.h"
#include "station/race_station.h"
#include "ui/frequencies/frequency_setup_window.h"
#include "ui/main/main_window.h"
#include "ui/settings/settings_window.h"

namespace vexa {

SettingsWindow& wireSettingsCommands(Session& session) {
    MainWindow& main = session.mainWindow();
    auto* window = new SettingsWindow(session.program(), session.op(), session.station(), &main);
    window->setEquipmentWait([&session] { session.waitForCountingEquipment(); });
    window->setCrystalSetup([&session, window] {
        FrequencySetupWindow names(session.program(), session.op(), window);
        names.exec();
    });
    connectCommand(main.menus().programSetup, [window] { window->openSetup(); });
    QObject::connect(window, &SettingsWindow::settingsSaved, &session,
                     [&session](bool nextRaceChanged) {
                         // The panel shows the race that comes next as soon as it is another.
                         if (nextRaceChanged) session.race().showNextRace();
                         emit session.displaySettingsChanged();
                     });
    return *window;
}

} // namespace vexa
