#pragma once

#include <QString>

namespace vexa {

// Where the program finds its folders.
struct ProgramLocations {
    // The files an installed program ships beside itself: the sound script (make_sounds.sh) and
    // the frequency names a new program home starts with (vexa.qfq). Empty when the program
    // runs from where it was built.
    QString sharedData;
    // The program home.
    QString home;

    QString soundScript() const;
    QString shippedFreqNames() const;
};

// The program home: the folder given with --home; for an installed program (one whose shared
// data sits at ../share/vexa beside its executable's folder) the user's data folder; otherwise
// the executable's folder when it is writable, else the user's data folder. The home is
// created when missing.
ProgramLocations locateProgram(const QString& requestedHome, const QString& programDir,
                               const QString& userDataDir);

// The same for this process: its executable's folder and the platform's data folder for the
// application's name.
ProgramLocations locateProgram(const QString& requestedHome);

} // namespace vexa
