#include "session/race_commands.h"

#include "journal/race_inputs.h"
#include "platform/keyboard_light.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "session/correction_commands.h"
#include "session/race_view_bridge.h"
#include "session/session.h"
#include "timing/counting_equipment.h"
#include "ui/main/main_window.h"
#include "ui/race/penalty_window.h"
#include "ui/race/race_keys.h"
#include "ui/race/race_panel_widget.h"
#include "ui/race/race_screen.h"

#include <memory>

namespace vexa {

void wireRaceScreen(Session& session) {
    RaceEngine& engine = session.race();
    MainWindow& main = session.mainWindow();
    const CountingEquipment& equipment = session.equipment();

    RaceInputs& inputs = session.raceInputs();
    auto* panel = new RacePanelWidget(engine, inputs, session.program().settings,
                                      [&equipment] { return equipment.statusText(); });
    main.setScreenWidget(Screen::Race, panel);
    auto* spectators = new RaceScreen(engine, &main);
    auto* penalty = new PenaltyWindow(inputs, &main);
    new RaceKeys(inputs, *panel, panel);

    RaceViewBridge& view = session.raceView();
    QObject::connect(&view, &RaceViewBridge::panelChangedSignal, panel, [panel, spectators] {
        panel->refreshPanel();
        spectators->refreshPanel();
    });
    QObject::connect(&view, &RaceViewBridge::standingsChangedSignal, panel, [panel, spectators] {
        panel->refreshStandings();
        spectators->refreshStandings();
    });
    QObject::connect(&view, &RaceViewBridge::carCellChangedSignal, panel,
                     [panel, spectators](int row) {
                         panel->carCellChanged(row);
                         spectators->carCellChanged(row);
                     });
    auto light = std::make_shared<KeyboardLight>();
    QObject::connect(&view, &RaceViewBridge::scrollLockToggled, panel,
                     [light] { light->toggle(); });

    QObject::connect(panel, &RacePanelWidget::penaltyRequested, penalty,
                     &PenaltyWindow::showInFront);
    QObject::connect(panel, &RacePanelWidget::spectatorScreenRequested, spectators,
                     &RaceScreen::toggle);
    QObject::connect(panel, &RacePanelWidget::correctResultsRequested, &main,
                     [&session] { openCorrectResults(session); });
    QObject::connect(&main, &MainWindow::screenShown, panel, [panel](Screen screen) {
        if (screen == Screen::Race) panel->refreshPanel();
    });
}

} // namespace vexa
