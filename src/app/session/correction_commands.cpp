#include "session/correction_commands.h"

#include "files/event_files.h"
#include "platform/output_platform.h"
#include "program/program.h"
#include "program/transponder_desk.h"
#include "replay/stored_race_corrector.h"
#include "session/session.h"
#include "ui/main/main_window.h"
#include "ui/results/correct_results_window.h"

namespace vexa {

void openCorrectResults(Session& session) {
    Program& program = session.program();
    if (!program.paths) {
        session.op().inform("Open an event first: its stored races are corrected");
        return;
    }
    StoredRaceCorrector corrector(program.paths->dir, openJournalEvent, currentLocalMoment);
    if (corrector.races().empty()) {
        session.op().inform("The event has no stored race with a journal to correct");
        return;
    }
    CorrectResultsWindow window(
        corrector, session.op(),
        [&program] {
            // The corrected results were stored: the open event reads them back.
            readResults(program.paths->results, program.event);
        },
        &session.mainWindow());
    window.keepTransponder = [&program, &session](int id, int32_t transponder) {
        const Outcome kept = keepTransponderForMeeting(program, id, transponder);
        session.mainWindow().refreshCompetitorList();
        return kept;
    };
    window.exec();
}

void wireCorrectResults(Session& session) {
    connectCommand(session.mainWindow().menus().correctResults,
                   [&session] { openCorrectResults(session); });
}

} // namespace vexa
