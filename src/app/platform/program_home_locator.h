#pragma once

#include <QString>

namespace vexa {

// The program home: the folder given with --home; otherwise the executable's folder when it is
// writable; otherwise the user's data folder. The folder is created when missing.
QString locateProgramHome(const QString& requested);

} // namespace vexa
