#include "platform/program_home_locator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace vexa {

namespace {

bool writableFolder(const QString& folder) {
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("vexa-probe-XXXXXX")));
    return probe.open();
}

// An installed program's shared files: <prefix>/share/vexa beside <prefix>/bin.
QString installedSharedData(const QString& programDir) {
    const QString shared = QDir(programDir).absoluteFilePath(QStringLiteral("../share/vexa"));
    if (!QFileInfo(QDir(shared).filePath(QStringLiteral("make_sounds.sh"))).isFile()) return {};
    return QDir::cleanPath(shared);
}

} // namespace

QString ProgramLocations::soundScript() const {
    return sharedData.isEmpty() ? QString()
                                : QDir(sharedData).filePath(QStringLiteral("make_sounds.sh"));
}

QString ProgramLocations::shippedFreqNames() const {
    return sharedData.isEmpty() ? QString() : QDir(sharedData).filePath(QStringLiteral("vexa.qfq"));
}

ProgramLocations locateProgram(const QString& requestedHome, const QString& programDir,
                               const QString& userDataDir) {
    ProgramLocations found;
    found.sharedData = installedSharedData(programDir);
    // An installed program never writes beside itself, even where it could (run as root): its
    // folder belongs to the package manager.
    QString home = requestedHome;
    if (home.isEmpty())
        home = found.sharedData.isEmpty() && writableFolder(programDir) ? programDir : userDataDir;
    QDir().mkpath(home);
    found.home = QFileInfo(home).absoluteFilePath();
    return found;
}

ProgramLocations locateProgram(const QString& requestedHome) {
    return locateProgram(requestedHome, QCoreApplication::applicationDirPath(),
                         QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

} // namespace vexa
