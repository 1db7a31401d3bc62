#pragma once

#include "base/version.h"

#include "base/local_moment.h"
#include "output/output_identity.h"

namespace vexa {

struct Program;

// What every report and page reads besides its own data: the program's state (settings, event,
// frequency names, paths), the names it publishes under and the moment it is made.
struct ReportContext {
    const Program& program;
    const OutputIdentity& identity;
    LocalMoment now;
};

} // namespace vexa
