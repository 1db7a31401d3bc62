#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#ifdef __linux__
#include <csignal>
#include <sys/prctl.h>
#endif

namespace vexa::test {

// A desktop for the real program under test: an X server (Xvfb) and a private D-Bus daemon that
// is both its session bus and its accessibility bus, so that a test meets the program as a screen
// reader does: it finds windows and controls by role and name, and presses buttons.
class ProgramDesktop {
  public:
    static inline const QString AccessibleRoot = QStringLiteral("/org/a11y/atspi/accessible/root");
    static inline const QString AccessibleInterface = QStringLiteral("org.a11y.atspi.Accessible");
    static inline const QString PropertiesInterface =
        QStringLiteral("org.freedesktop.DBus.Properties");

    ~ProgramDesktop() {
        for (QProcess* process : {&xserver_, &daemon_}) {
            process->kill();
            process->waitForFinished();
        }
    }

    // Whether the machine has what the desktop needs.
    static bool available() {
        return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() &&
               !QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty();
    }

    // A helper started by a test ends with the test, even with one that is aborted (a test that
    // runs out of time) and so never stops its helpers itself.
    static void endsWithTest(QProcess& process) {
#ifdef __linux__
        process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
#else
        (void)process;
#endif
    }

    // Starts the bus and the X server; false (with `failure` set) when either cannot start.
    bool start(QString& failure) {
        endsWithTest(daemon_);
        endsWithTest(xserver_);
        daemon_.start(QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")),
                      {"--session", "--nofork", "--print-address=1"});
        address_ = firstLine(daemon_);
        if (address_.isEmpty()) return (failure = "the D-Bus daemon gave no address"), false;
        xserver_.start(QStandardPaths::findExecutable(QStringLiteral("Xvfb")),
                       {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        display_ = firstLine(xserver_);
        if (display_.isEmpty()) return (failure = "Xvfb gave no display"), false;
        QDBusConnection bus = QDBusConnection::connectToBus(address_, QStringLiteral("test"));
        a11yBus_.address = address_;
        if (!bus.isConnected() || !bus.registerVirtualObject("/org/a11y/bus", &a11yBus_) ||
            !bus.registerService("org.a11y.Bus"))
            return (failure = "the accessibility bus could not be offered"), false;
        return true;
    }

    // The environment a program on this desktop runs in.
    QProcessEnvironment environment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", ":" + display_);
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.insert("DBUS_SESSION_BUS_ADDRESS", address_);
        environment.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        environment.remove("AT_SPI_BUS_ADDRESS");
        return environment;
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
    // The bus name of a program's accessibility connection, once it answers there; empty
    // before. `other` is one to pass over (a program stopped before).
    QString programOnTheBus(const QString& other = {}) {
        const QDBusConnection test(QStringLiteral("test"));
        const QStringList names = test.interface()->registeredServiceNames();
        for (const QString& name : names)
            if (name.startsWith(QLatin1Char(':')) && name != other && name != test.baseService() &&
                roleName(name, AccessibleRoot) == "application")
                return name;
        return {};
    }
    // Whether the object shows: a window once shown stays on the bus when it is hidden.
    bool visible(const QString& service, const QString& path) {
        const QDBusMessage reply = call(service, path, AccessibleInterface, "GetState");
        if (reply.type() != QDBusMessage::ReplyMessage) return false;
        const QList<uint> words = qdbus_cast<QList<uint>>(reply.arguments().value(0));
        constexpr uint Visible = 1u << 30; // ATSPI_STATE_VISIBLE, in the first word
        return !words.isEmpty() && (words.first() & Visible) != 0;
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
    // Presses the push button of that name, when one shows; true when it did. It looks through
    // every window, so it takes its time where a window holds big grids.
    bool press(const QString& service, const QString& name) {
        return pressButton(service, find(service, AccessibleRoot, "push button", 0, name));
    }
    // Presses the button of that name in a message or question box, when one shows: quick, as it
    // looks at the boxes alone.
    bool answer(const QString& service, const QString& name) {
        for (const QString& window : children(service, AccessibleRoot)) {
            const QString role = roleName(service, window);
            if ((role != "alert message" && role != "dialog") || !visible(service, window))
                continue;
            if (const QString button = find(service, window, "push button", 6, name);
                !button.isEmpty())
                return pressButton(service, button);
        }
        return false;
    }
    // The roles and names of the windows and their first controls, for a failure's message.
    QString describe(const QString& service, const QString& path = AccessibleRoot, int depth = 0) {
        QString text = QString(depth * 2, QLatin1Char(' ')) + roleName(service, path) +
                       QStringLiteral(" \"") + nameOf(service, path) + QStringLiteral("\"\n");
        if (depth < 3)
            for (const QString& child : children(service, path))
                text += describe(service, child, depth + 1);
        return text;
    }

  private:
    bool pressButton(const QString& service, const QString& button) {
        if (button.isEmpty()) return false;
        call(service, button, QStringLiteral("org.a11y.atspi.Action"), "DoAction", {0});
        // A button pressed again before its click has come restarts the click.
        QTest::qWait(1000);
        return true;
    }

    // The session bus's "org.a11y.Bus", which tells a program where the accessibility bus is:
    // here the same private daemon.
    class A11yBus : public QDBusVirtualObject {
      public:
        QString address;
        QString introspect(const QString&) const override { return {}; }
        bool handleMessage(const QDBusMessage& message,
                           const QDBusConnection& connection) override {
            if (message.member() != QLatin1String("GetAddress")) return false;
            connection.send(message.createReply(address));
            return true;
        }
    };

    // A line a helper prints on its standard output, such as an address.
    static QString firstLine(QProcess& process) {
        for (int i = 0; i < 100 && !process.canReadLine(); ++i) process.waitForReadyRead(100);
        return QString::fromLocal8Bit(process.readLine()).trimmed();
    }

    QProcess daemon_;
    QProcess xserver_;
    A11yBus a11yBus_;
    QString address_;
    QString display_;
};

} // namespace vexa::test
