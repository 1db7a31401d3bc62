#include "session/settings_commands.h"

#include "platform/timing_host.h"
#include "session/session.h"
#include "ui/frequencies/frequency_setup_window.h"
#include "ui/main/main_window.h"
#include "ui/settings/settings_window.h"

namespace vexa {

SettingsWindow& wireSettingsCommands(Session& session) {
    MainWindow& main = session.mainWindow();
    auto* window =
        new SettingsWindow(session.program(), session.op(), session.timing().station(), &main);
    window->setEquipmentWait([&session] { session.waitForCountingEquipment(); });
    window->setCrystalSetup([&session, window] {
        FrequencySetupWindow names(session.program(), session.op(), window);
        names.exec();
    });
    connectCommand(main.menus().programSetup, [window] { window->openSetup(); });
    return *window;
}

} // namespace vexa
