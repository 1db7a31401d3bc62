#include "base/version.h"
#include "platform/accessibility_bus_guard.h"
#include "platform/console_operator.h"
#include "platform/latin1.h"
#include "platform/program_home_locator.h"
#include "program/event_store.h"
#include "program/program.h"
#include "session/session.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QIcon>

#include <clocale>
#include <cstdio>

namespace {

struct CommandLine {
    QCommandLineOption home{QStringLiteral("home"), QStringLiteral("The program home folder."),
                            QStringLiteral("DIR")};
    QCommandLineOption event{QStringLiteral("event"),
                             QStringLiteral("Open this event without the welcome window."),
                             QStringLiteral("NAME")};
    QCommandLineOption checkStart{
        QStringLiteral("check-start"),
        QStringLiteral("Start as usual, show the main window, then end at once, telling how long "
                       "the start took: a check of an installation.")};
    QCommandLineParser parser;

    CommandLine() {
        parser.setApplicationDescription(
            QStringLiteral("Vexa: race management and lap timing for model car meetings."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOption(home);
        parser.addOption(event);
        parser.addOption(checkStart);
    }
};

QStringList arguments(int argc, char* argv[]) {
    QStringList list;
    for (int i = 0; i < argc; ++i) list << QString::fromLocal8Bit(argv[i]);
    return list;
}

} // namespace

int main(int argc, char* argv[]) {
    // The command line is read before any window exists, so that --help, --version and a wrong
    // command line work without a display.
    CommandLine command;
    QCoreApplication::setApplicationName(QString::fromLatin1(vexa::ProductTitle));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(vexa::ProgramVersion));
    if (!command.parser.parse(arguments(argc, argv))) {
        std::fprintf(stderr, "vexa: %s\n", qPrintable(command.parser.errorText()));
        return 2;
    }
    if (command.parser.isSet(QStringLiteral("help"))) {
        // Without an application object the parser cannot name the program itself.
        QString help = command.parser.helpText();
        help.replace(QStringLiteral("<executable_name>"), QStringLiteral("vexa"));
        std::fputs(qPrintable(help), stdout);
        return 0;
    }
    if (command.parser.isSet(QStringLiteral("version"))) {
        std::printf("vexa %s\n", vexa::ProgramVersion);
        return 0;
    }

    QElapsedTimer started;
    started.start();
    QApplication app(argc, argv);
    vexa::guardAccessibilityBus(&app);
    // The toolkit takes the desktop's locale; numbers in reports, pages and files are always
    // written with a decimal point.
    std::setlocale(LC_NUMERIC, "C");
    // The menu entry of an installed program is vexa.desktop: the desktop finds its icon by it.
    QGuiApplication::setDesktopFileName(QStringLiteral("vexa"));
    // The installed icon on the windows too, for the task bars that take it from the window.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("vexa")));
    vexa::Program program;
    const vexa::ProgramLocations where = vexa::locateProgram(command.parser.value(command.home));
    program.home.root = where.home.toStdWString();
    std::vector<std::string> startMessages =
        vexa::startProgram(program, where.shippedFreqNames().toStdWString());
    // A start that only checks the installation shows no message box: nobody would answer it.
    vexa::ConsoleOperator console;
    vexa::SessionPorts ports;
    if (command.parser.isSet(command.checkStart)) ports.op = &console;
    vexa::Session session(program, ports);
    // The sounds a first start lacks are made meanwhile, while the start's messages wait for an
    // answer too.
    session.makeMissingSounds(where.soundScript());
    for (std::string& message : session.takeStartMessages())
        startMessages.push_back(std::move(message));
    for (const std::string& message : startMessages) session.op().inform(message);
    session.setUpCountingEquipment();
    session.startLiveResults();
    if (!command.parser.isSet(command.checkStart)) session.waitForCountingEquipment();

    if (command.parser.isSet(command.event)) {
        const vexa::OpenEventResult opened =
            vexa::openEvent(program, vexa::fromQt(command.parser.value(command.event)));
        if (!opened.message.empty()) session.op().inform(opened.message);
    }
    if (!program.eventOpen() && !session.chooseEvent()) return 0;
    session.outputs().eventOpened();
    session.showMainWindow();
    if (command.parser.isSet(command.checkStart)) {
        QCoreApplication::processEvents();
        std::printf("vexa: the main window showed %lld ms after the start\n",
                    static_cast<long long>(started.elapsed()));
        // The check covers the first start's sounds too.
        session.waitForSounds();
        return 0;
    }
    return app.exec();
}
