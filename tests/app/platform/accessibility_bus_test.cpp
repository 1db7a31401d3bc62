// The program as a screen reader meets it: the real `vexa` on an X server (Xvfb) with its
// accessibility bus, a private D-Bus daemon, asked over that bus for all properties of the
// application and of the drivers table at once (what `gdbus introspect` asks), and called
// without the arguments a method takes. The program must answer and keep running.
#include "files/freq_names_file.h"
#include "program/event_store.h"
#include "program/program.h"
#include "support/program_desktop.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#ifndef VEXA_APP_PATH
#define VEXA_APP_PATH ""
#endif

using namespace vexa;
using test::ProgramDesktop;

namespace {
const QString& AccessibleRoot = ProgramDesktop::AccessibleRoot;
const QString& AccessibleInterface = ProgramDesktop::AccessibleInterface;
const QString& PropertiesInterface = ProgramDesktop::PropertiesInterface;
} // namespace

class AccessibilityBusTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    ProgramDesktop desktop_;
    QProcess program_;

    QDBusMessage call(const QString& service, const QString& path, const QString& interface,
                      const QString& method, const QVariantList& arguments = {}) {
        return desktop_.call(service, path, interface, method, arguments);
    }

  private slots:
    void initTestCase() {
        if (!ProgramDesktop::available() || QString(VEXA_APP_PATH).isEmpty())
            QSKIP("needs Xvfb and dbus-daemon (scripts/setup.sh installs them)");
        QString failure;
        QVERIFY2(desktop_.start(failure), qPrintable(failure));

        // An event with three drivers, so the drivers table has rows.
        Program program;
        program.home.root = home_.path().toStdString();
        startProgram(program);
        QVERIFY(saveFreqNames(program.home.freqNamesFile(), program.freqnames).ok);
        for (int id = 1; id <= 3; ++id)
            program.event.cpts[id].name = "Driver " + std::to_string(id);
        QVERIFY(createEvent(program, "Day").ok);

        ProgramDesktop::endsWithTest(program_);
        program_.setProcessEnvironment(desktop_.environment());
        program_.setProcessChannelMode(QProcess::ForwardedChannels);
        program_.start(VEXA_APP_PATH, {"--home", home_.path(), "--event", "Day"});
        QVERIFY(program_.waitForStarted());
    }

    void cleanupTestCase() {
        program_.kill();
        program_.waitForFinished();
    }

    void answersEverythingAScreenReaderAsksWithoutCrashing() {
        QString service;
        // A loaded machine can take its time to start the program.
        QTRY_VERIFY_WITH_TIMEOUT(!(service = desktop_.programOnTheBus()).isEmpty(), 60000);
        // The messages of the start (no sound device here, say) are answered as a screen reader
        // user answers them, with their OK button; then the main window shows the drivers table.
        const auto tableShown = [&] {
            if (!desktop_.find(service, AccessibleRoot, "table").isEmpty()) return true;
            desktop_.press(service, "OK");
            return false;
        };
        QTRY_VERIFY2_WITH_TIMEOUT(tableShown(), qPrintable(desktop_.describe(service)), 60000);
        const QString table = desktop_.find(service, AccessibleRoot, "table");

        // All properties at once, of the application and of the drivers table: refused, as the
        // guard answers, or answered; either way the program keeps running.
        for (const auto& [path, interface] :
             {std::pair{AccessibleRoot, AccessibleInterface},
              std::pair{table, QStringLiteral("org.a11y.atspi.Table")},
              std::pair{table, AccessibleInterface}}) {
            const QDBusMessage all =
                call(service, path, PropertiesInterface, "GetAll", {interface});
            QVERIFY2(all.errorName() != "org.freedesktop.DBus.Error.NoReply",
                     qPrintable(all.errorMessage()));
            QCOMPARE(program_.state(), QProcess::Running);
        }
        // Methods without the arguments they take are refused.
        const QDBusMessage bare = call(service, table, AccessibleInterface, "GetChildAtIndex");
        QCOMPARE(bare.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
        QCOMPARE(program_.state(), QProcess::Running);
        const QDBusMessage bareGet = call(service, table, PropertiesInterface, "Get",
                                          {QStringLiteral("org.a11y.atspi.Table")});
        QCOMPARE(bareGet.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));

        // Asked property by property, the program answers as before.
        const QDBusMessage name = call(service, AccessibleRoot, PropertiesInterface, "Get",
                                       {AccessibleInterface, QStringLiteral("Name")});
        QCOMPARE(name.arguments().value(0).value<QDBusVariant>().variant().toString(),
                 QStringLiteral("Vexa Free"));
        const QDBusMessage rows =
            call(service, table, PropertiesInterface, "Get",
                 {QStringLiteral("org.a11y.atspi.Table"), QStringLiteral("NRows")});
        QCOMPARE(rows.arguments().value(0).value<QDBusVariant>().variant().toInt(), 3);
        QCOMPARE(program_.state(), QProcess::Running);
    }
};

QTEST_MAIN(AccessibilityBusTest)
#include "accessibility_bus_test.moc"
