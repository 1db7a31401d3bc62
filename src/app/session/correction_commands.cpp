#include "session/correction_commands.h"

#include "files/event_files.h"
#include "platform/output_platform.h"
#include "ports/operator.h"
#include "program/program.h"
#include "program/transponder_desk.h"
#include "replay/stored_race_corrector.h"
#include "ui/main/main_window.h"
#include "ui/results/correct_results_window.h"

namespace vexa {

void openCorrectResults(Program& program, Operator& op, MainWindow& window) {
    if (!program.paths) {
        op.inform("Open an event first: its stored races are corrected");
        return;
    }
    StoredRaceCorrector corrector(program.paths->dir, openJournalEvent, currentLocalMoment);
    if (corrector.races().empty()) {
        op.inform("The event has no stored race with a journal to correct");
        return;
    }
    CorrectResultsWindow correct(
        corrector, op,
        [&program] {
            // The corrected results were stored: the open event reads them back.
            readResults(program.paths->results, program.event);
        },
        &window);
    correct.keepTransponder = [&program, &window](int id, int32_t transponder) {
        const Outcome kept = keepTransponderForMeeting(program, id, transponder);
        window.refreshCompetitorList();
        return kept;
    };
    correct.exec();
}

void wireCorrectResults(Program& program, Operator& op, MainWindow& window) {
    connectCommand(window.menus().correctResults,
                   [&program, &op, &window] { openCorrectResults(program, op, window); });
}

} // namespace vexa
