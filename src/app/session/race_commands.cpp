#include "session/race_commands.h"

#include "journal/race_inputs.h"
#include "platform/keyboard_light.h"
#include "race/race_engine.h"
#include "session/race_view_bridge.h"
#include "settings/display_settings.h"
#include "settings/prog_settings.h"
#include "station/race_station.h"
#include "timing/counting_equipment.h"
#include "ui/main/main_window.h"
#include "ui/race/penalty_window.h"
#include "ui/race/race_keys.h"
#include "ui/race/race_panel_widget.h"
#include "ui/race/race_screen.h"

#include <QShortcut>

#include <memory>
#include <utility>

namespace vexa {

void RaceScreens::applySettings() const {
    panel->applySettings();
    spectators->applySettings();
}

RaceScreens wireRaceScreen(const RaceScreenParts& parts) {
    RaceEngine& engine = parts.station.engine();
    MainWindow& main = parts.main;
    const CountingEquipment& equipment = parts.station.equipment();

    RaceInputs& inputs = parts.station.inputs();
    ProgSettings& settings = parts.settings;
    auto* panel = new RacePanelWidget(engine, inputs, settings,
                                      [&equipment] { return equipment.statusText(); });
    main.setScreenWidget(Screen::Race, panel);
    auto* spectators = new RaceScreen(engine, settings, &main);
    auto* penalty = new PenaltyWindow(inputs, &main);
    new RaceKeys(inputs, *panel, panel);

    RaceViewBridge& view = parts.view;
    QObject::connect(&view, &RaceViewBridge::panelChangedSignal, panel, [panel, spectators] {
        panel->refreshPanel();
        spectators->refreshPanel();
    });
    // The grids redraw at most once a frame, however many passings came.
    QObject::connect(&view, &RaceViewBridge::standingsRedraw, panel, [panel, spectators] {
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
    // F11 shows and hides the race screen from either window, as "Spectator Screen" does.
    auto* toggleKey = new QShortcut(QKeySequence(Qt::Key_F11), &main);
    toggleKey->setContext(Qt::ApplicationShortcut);
    QObject::connect(toggleKey, &QShortcut::activated, spectators, &RaceScreen::toggle);
    QObject::connect(spectators, &RaceScreen::backToRacePanel, &main, [&main] {
        main.raise();
        main.activateWindow();
    });
    QObject::connect(&main, &MainWindow::exiting, spectators, [spectators] {
        if (spectators->isVisible()) spectators->keepPlace();
    });

    // The standings' zoom, on both grids, from either window.
    const auto zoomBy = [zoomed = parts.zoomed, &settings](int steps) {
        settings.standingsZoom = steppedZoom(settings.standingsZoom, steps);
        zoomed();
    };
    for (const auto& [keys, steps] : {std::pair{QKeySequence(QKeySequence::ZoomIn), 1},
                                      std::pair{QKeySequence(Qt::CTRL | Qt::Key_Equal), 1},
                                      std::pair{QKeySequence(QKeySequence::ZoomOut), -1}}) {
        auto* shortcut = new QShortcut(keys, &main);
        shortcut->setContext(Qt::ApplicationShortcut);
        QObject::connect(shortcut, &QShortcut::activated, &main,
                         [zoomBy, steps] { zoomBy(steps); });
    }
    QObject::connect(panel, &RacePanelWidget::correctResultsRequested, &main, parts.correctResults);
    QObject::connect(&main, &MainWindow::screenShown, panel, [panel](Screen screen) {
        if (screen == Screen::Race) panel->refreshPanel();
    });
    return {panel, spectators};
}

} // namespace vexa
