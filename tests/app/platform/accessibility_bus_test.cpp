// The program as a screen reader meets it: the real `vexa` on an X server (Xvfb) with its
// accessibility bus, a private D-Bus daemon, asked over that bus for all properties of the
// application and of the drivers table at once (what `gdbus introspect` asks), and called
// without the arguments a method takes. The program must answer and keep running.
#include "files/freq_names_file.h"
#include "program/event_store.h"
#include "program/program.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#ifndef VEXA_APP_PATH
#define VEXA_APP_PATH ""
#endif

using namespace vexa;

namespace {

const QString AccessibleRoot = QStringLiteral("/org/a11y/atspi/accessible/root");
const QString AccessibleInterface = QStringLiteral("org.a11y.atspi.Accessible");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

} // namespace

// The session bus's "org.a11y.Bus", which tells a program where the accessibility bus is: here
// the same private daemon.
class A11yBus : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.a11y.Bus")

  public:
    QString address;

  public slots:
    QString GetAddress() { return address; }
};

class AccessibilityBusTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    QProcess daemon_;
    QProcess xserver_;
    QProcess program_;
    A11yBus a11yBus_;
    QString address_;

    // A line a helper prints on its standard output, such as an address.
    static QString firstLine(QProcess& process) {
        for (int i = 0; i < 100 && !process.canReadLine(); ++i) process.waitForReadyRead(100);
        return QString::fromLocal8Bit(process.readLine()).trimmed();
    }

    QDBusMessage call(const QString& service, const QString& path, const QString& interface,
                      const QString& method, const QVariantList& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
        message.setArguments(arguments);
        return QDBusConnection(QStringLiteral("test")).call(message, QDBus::Block, 20000);
    }
    QString roleName(const QString& service, const QString& path) {
        const QDBusMessage reply = call(service, path, AccessibleInterface, "GetRoleName");
        return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments().value(0).toString()
                                                          : QString();
    }
    QString nameOf(const QString& service, const QString& path) {
        const QDBusMessage reply = call(service, path, PropertiesInterface, "Get",
                                        {AccessibleInterface, QStringLiteral("Name")});
        return reply.arguments().value(0).value<QDBusVariant>().variant().toString();
    }
    // The bus name of the program's accessibility connection, once it answers there.
    QString programOnTheBus() {
        const QStringList names =
            QDBusConnection(QStringLiteral("test")).interface()->registeredServiceNames();
        for (const QString& name : names)
            if (name.startsWith(QLatin1Char(':')) &&
                roleName(name, AccessibleRoot) == "application")
                return name;
        return {};
    }
    // The objects below `path`.
    QStringList children(const QString& service, const QString& path) {
        const QDBusMessage reply = call(service, path, AccessibleInterface, "GetChildren");
        QStringList paths;
        if (reply.type() != QDBusMessage::ReplyMessage) return paths;
        const QDBusArgument list = reply.arguments().value(0).value<QDBusArgument>();
        list.beginArray();
        while (!list.atEnd()) {
            QString owner;
            QDBusObjectPath child;
            list.beginStructure();
            list >> owner >> child;
            list.endStructure();
            paths << child.path();
        }
        list.endArray();
        return paths;
    }
    // The object of the first control with the role (and the name, when one is given), searched
    // from `path` down.
    QString find(const QString& service, const QString& path, const QString& role, int depth = 0,
                 const QString& name = {}) {
        if (roleName(service, path) == role && (name.isEmpty() || nameOf(service, path) == name))
            return path;
        if (depth > 8) return {};
        for (const QString& child : children(service, path))
            if (const QString found = find(service, child, role, depth + 1, name); !found.isEmpty())
                return found;
        return {};
    }
    // The roles and names of the windows and their first controls, for a failure's message.
    QString describe(const QString& service, const QString& path, int depth = 0) {
        QString text = QString(depth * 2, QLatin1Char(' ')) + roleName(service, path) +
                       QStringLiteral(" \"") + nameOf(service, path) + QStringLiteral("\"\n");
        if (depth < 3)
            for (const QString& child : children(service, path))
                text += describe(service, child, depth + 1);
        return text;
    }

  private slots:
    void initTestCase() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString dbus = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (xvfb.isEmpty() || dbus.isEmpty() || QString(VEXA_APP_PATH).isEmpty())
            QSKIP("needs Xvfb and dbus-daemon");

        daemon_.start(dbus, {"--session", "--nofork", "--print-address=1"});
        address_ = firstLine(daemon_);
        QVERIFY2(!address_.isEmpty(), "the D-Bus daemon gave no address");
        xserver_.start(xvfb,
                       {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        const QString display = firstLine(xserver_);
        QVERIFY2(!display.isEmpty(), "Xvfb gave no display");

        QDBusConnection bus = QDBusConnection::connectToBus(address_, QStringLiteral("test"));
        QVERIFY(bus.isConnected());
        a11yBus_.address = address_;
        QVERIFY(bus.registerObject("/org/a11y/bus", &a11yBus_, QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService("org.a11y.Bus"));

        // An event with three drivers, so the drivers table has rows.
        Program program;
        program.home.root = home_.path().toStdString();
        startProgram(program);
        QVERIFY(saveFreqNames(program.home.freqNamesFile(), program.freqnames).ok);
        for (int id = 1; id <= 3; ++id)
            program.event.cpts[id].name = "Driver " + std::to_string(id);
        QVERIFY(createEvent(program, "Day").ok);

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", ":" + display);
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.insert("DBUS_SESSION_BUS_ADDRESS", address_);
        environment.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        environment.remove("AT_SPI_BUS_ADDRESS");
        program_.setProcessEnvironment(environment);
        program_.setProcessChannelMode(QProcess::ForwardedChannels);
        program_.start(VEXA_APP_PATH, {"--home", home_.path(), "--event", "Day"});
        QVERIFY(program_.waitForStarted());
    }

    void cleanupTestCase() {
        for (QProcess* process : {&program_, &xserver_, &daemon_}) {
            process->kill();
            process->waitForFinished();
        }
    }

    void answersEverythingAScreenReaderAsksWithoutCrashing() {
        QString service;
        // A loaded machine can take its time to start the program.
        QTRY_VERIFY_WITH_TIMEOUT(!(service = programOnTheBus()).isEmpty(), 60000);
        // The messages of the start (no sound device here, say) are answered as a screen reader
        // user answers them, with their OK button; then the main window shows the drivers table.
        const auto tableShown = [&] {
            if (!find(service, AccessibleRoot, "table").isEmpty()) return true;
            const QString ok = find(service, AccessibleRoot, "push button", 0, "OK");
            if (!ok.isEmpty()) {
                call(service, ok, QStringLiteral("org.a11y.atspi.Action"), "DoAction", {0});
                // A button pressed again before its click has come restarts the click.
                QTest::qWait(1000);
            }
            return false;
        };
        QTRY_VERIFY2_WITH_TIMEOUT(tableShown(), qPrintable(describe(service, AccessibleRoot)),
                                  60000);
        const QString table = find(service, AccessibleRoot, "table");

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
