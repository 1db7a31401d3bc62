#include "session/end_of_round.h"

#include "files/event_files.h"
#include "platform/latin1.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "scoring/end_of_round.h"
#include "session/session.h"
#include "ui/main/main_window.h"
#include "ui/print/output_commands.h"
#include "ui/results/end_of_round_window.h"
#include "ui/results/eor_positions_window.h"
#include "ui/results/final_results_window.h"
#include "ui/results/statistics_window.h"

namespace vexa {

EndOfRound::EndOfRound(Session& session) : session_(session) {
    MainWindow& window = session_.mainWindow();
    const MainMenus& menus = window.menus();
    connectCommand(menus.finalResults, [this, &window] {
        FinalResultsWindow finalResults(session_.printing(), &window);
        finalResults.exec();
    });
    connectCommand(menus.positionPrint, [this] { positionsPrint(); });
    connectCommand(menus.statistics, [this, &window] {
        StatisticsWindow statistics(session_.program(), session_.op(), &window);
        statistics.exec();
    });
    QObject::connect(&window, &MainWindow::endOfRoundReopened, &window, [this] {
        session_.outputs().showEndOfRound(session_.program().settings.roundNumber);
    });
}

EndOfRound::~EndOfRound() = default;

void EndOfRound::show() {
    showWindow();
    Program& program = session_.program();
    if (!program.paths) return;
    if (const Outcome written = writeEventSettings(program.paths->settings, program.settings);
        !written)
        session_.op().inform(written.message);
}

void EndOfRound::showWindow() {
    MainWindow& window = session_.mainWindow();
    EndOfRoundCommands commands{
        [this] { positionsPrint(); },
        [this, &window] { printStartOrderForNextRound(session_.printing(), &window); },
        [this] { return nextRound(); },
        [this] { return enterFinals(); },
        [this] { mainScreen(); },
    };
    const ProgSettings& settings = session_.program().settings;
    EndOfRoundWindow eor(std::move(commands), !settings.racingHeats, toQt(endOfRoundText(settings)),
                         &window);
    eor.exec();
}

void EndOfRound::positionsPrint() {
    if (!positions_)
        positions_ = std::make_unique<EorPositionsWindow>(
            session_.printing(), session_.outputs().includeNoScore, &session_.mainWindow());
    positions_->openModal();
}

bool EndOfRound::nextRound() {
    if (!session_.op().confirm(NextRoundQuestion)) return false;
    advanceRound(session_.program().settings);
    RaceEngine& race = session_.race();
    race.stopRaceScreen();
    race.openRaceScreen();
    return true;
}

bool EndOfRound::enterFinals() {
    Program& program = session_.program();
    if (const Outcome allowed = canEnterFinals(program.settings); !allowed) {
        session_.op().inform(allowed.message);
        return false;
    }
    if (!session_.op().confirm(EnterFinalsQuestion)) return false;
    vexa::enterFinals(program.event, program.settings);
    if (sortFinals_) sortFinals_();
    advanceRound(program.settings);
    session_.race().showNextRace();
    return true;
}

void EndOfRound::mainScreen() {
    session_.race().requestEndOfRoundReopen();
    session_.mainWindow().showScreen(Screen::Drivers);
}

} // namespace vexa
