#include "platform/program_home_locator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace vexa {

static bool writableFolder(const QString& folder) {
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("vexa-probe-XXXXXX")));
    return probe.open();
}

QString locateProgramHome(const QString& requested) {
    QString home = requested;
    if (home.isEmpty()) {
        home = QCoreApplication::applicationDirPath();
        if (!writableFolder(home))
            home = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    }
    QDir().mkpath(home);
    return QFileInfo(home).absoluteFilePath();
}

} // namespace vexa
