#include "program/event_saves.h"

#include "files/event_files.h"
#include "program/program.h"

#include <initializer_list>

namespace vexa {

namespace {

Outcome firstFailure(std::initializer_list<Outcome> written) {
    for (const Outcome& o : written)
        if (!o) return o;
    return Outcome::success();
}

} // namespace

Outcome saveCompetitors(const Program& program) {
    if (!program.paths) return Outcome::success();
    return writeCompetitors(program.paths->competitors, program.event);
}

Outcome saveCompetitorsAndResults(const Program& program) {
    if (!program.paths) return Outcome::success();
    const EventPaths& p = *program.paths;
    return firstFailure(
        {writeCompetitors(p.competitors, program.event), writeResults(p.results, program.event)});
}

Outcome saveAfterDeletion(const Program& program) {
    if (!program.paths) return Outcome::success();
    const EventPaths& p = *program.paths;
    return firstFailure(
        {writeCompetitors(p.competitors, program.event), writeResults(p.results, program.event),
         writeTable(p.heats, program.event.heats), writeTable(p.finals, program.event.finals)});
}

} // namespace vexa
