#include "files/event_store.h"
#include "platform/accessibility_bus_guard.h"
#include "platform/latin1.h"
#include "platform/program_home_locator.h"
#include "program/program.h"
#include "ui/main_window.h"
#include "ui/operator_messages.h"
#include "ui/welcome_window.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vexa Free"));
    vexa::guardAccessibilityBus(&app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Race management and lap timing"));
    parser.addHelpOption();
    const QCommandLineOption homeOption(
        QStringLiteral("home"), QStringLiteral("The program home folder."), QStringLiteral("DIR"));
    const QCommandLineOption eventOption(
        QStringLiteral("event"), QStringLiteral("Open this event without the welcome window."),
        QStringLiteral("NAME"));
    parser.addOption(homeOption);
    parser.addOption(eventOption);
    parser.process(app);

    vexa::Program program;
    program.home.root = vexa::locateProgramHome(parser.value(homeOption)).toStdWString();
    const vexa::InformOperator inform = vexa::messageBoxInformer();
    for (const std::string& message : vexa::startProgram(program))
        inform(nullptr, vexa::toQt(message));

    if (parser.isSet(eventOption)) {
        const vexa::OpenEventResult opened =
            vexa::openEvent(program, vexa::fromQt(parser.value(eventOption)));
        if (!opened.message.empty()) inform(nullptr, vexa::toQt(opened.message));
    }
    if (!program.eventOpen()) {
        vexa::WelcomeWindow welcome(program, inform);
        welcome.exec();
        if (!program.eventOpen()) return 0;
    }

    vexa::MainWindow window(program);
    window.show();
    return app.exec();
}
